#include "ui/clipboard.h"

#include <windows.h>

#include <cstring>

#include "base/handles.h"

namespace {
// The clipboard opened for this thread until the guard goes.
class TOpenClipboard {
public:
  TOpenClipboard() {
    if (!OpenClipboard(nullptr))
      throw EClipboardException(Format(L"Zwischenablage kann nicht geöffnet werden: %s",
                                       {SysErrorMessage(GetLastError())}));
  }
  ~TOpenClipboard() { CloseClipboard(); }
  TOpenClipboard(const TOpenClipboard &) = delete;
  TOpenClipboard &operator=(const TOpenClipboard &) = delete;
};
} // namespace

void SetClipboardText(const std::wstring &AText) {
  TOpenClipboard clipboard;
  EmptyClipboard();
  const size_t bytes = (AText.size() + 1) * sizeof(wchar_t);
  TGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!block) return;
  {
    TGlobalLock lock(block.Get());
    if (!lock.Memory()) return;
    std::memcpy(lock.Memory(), AText.c_str(), bytes);
  }
  // The clipboard owns the block once it took it.
  if (SetClipboardData(CF_UNICODETEXT, block.Get())) block.Release();
}
