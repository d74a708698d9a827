// Which presentation Execute takes.
#include <doctest.h>

#include "dialog_probe.h"
#include "native_seam.h"
#include "taskdialog/task_dialog.h"
#include "test_support.h"

TEST_CASE("the version rule") {
  const int v581 = (5 << 16) | 81, v610 = (6 << 16) | 10, v600 = 6 << 16;
  CHECK(NeedsEmulatedPresentation(5, v610, nndAuto)); // old platform
  CHECK(NeedsEmulatedPresentation(6, v581, nndAuto)); // common controls 5
  CHECK(NeedsEmulatedPresentation(10, v581, nndAuto));
  CHECK_FALSE(NeedsEmulatedPresentation(6, v600, nndAuto));
  CHECK_FALSE(NeedsEmulatedPresentation(10, v610, nndAuto));
  // A failed lookup reads as major 255.
  CHECK_FALSE(NeedsEmulatedPresentation(6, -1, nndAuto));
  CHECK(NeedsEmulatedPresentation(6, v610, nndAlways));
  CHECK(NeedsEmulatedPresentation(6, -1, nndAlways));
}

TEST_CASE("the component asks both version lookups") {
  TAdvTaskDialog d(nullptr);
  std::wstring askedFile;
  {
    tdtest::TVersions seam(6, (6 << 16) | 10);
    FileVersionHighHook = [&](const std::wstring &AFile) {
      askedFile = AFile;
      return (6 << 16) | 10;
    };
    CHECK_FALSE(d.UsesEmulatedPresentation());
    CHECK(askedFile == L"COMCTL32.DLL");
    d.SetNonNativeDialog(nndAlways);
    CHECK(d.UsesEmulatedPresentation());
  }
  {
    tdtest::TVersions seam(5, (6 << 16) | 10);
    d.SetNonNativeDialog(nndAuto);
    CHECK(d.UsesEmulatedPresentation());
  }
}

TEST_CASE("the real lookups: Wine's common controls report 5.81, so the dialog is emulated") {
  // Wine reports Windows 7 (6.1) but gives comctl32.dll, also the copy of
  // the version 6 assembly, the version resource 5.81. On Windows the
  // assembly's library reports 6.x and the native dialog is used.
  CHECK(PlatformMajorVersion() >= 6);
  CHECK(FileVersionHigh(L"COMCTL32.DLL") == ((5 << 16) | 81));
  CHECK(FileVersionHigh(L"KERNEL32.DLL") > (5 << 16));
  CHECK(FileVersionHigh(L"no-such-library-here.dll") == -1);
  TAdvTaskDialog d(nullptr);
  CHECK(d.UsesEmulatedPresentation());
}

TEST_CASE("the emulated presentation shows the emulated window, known while it is open") {
  tdtest::TVersions wine(6, (5 << 16) | 81);
  TAdvTaskDialog d(nullptr);
  d.SetInstruction(L"Hinweis");
  d.SetCommonButtons({cbOK, cbCancel});
  HWND created = nullptr;
  d.OnDialogCreated = [&](TComponent *) { created = d.hWnd(); };
  tdtest::TSeenDialog seen;
  HWND whileOpen = nullptr;
  int r = tdtest::Answering([&] { return d.Execute(); },
                            [&](const tdtest::TSeenDialog &s) {
                              whileOpen = d.hWnd();
                              tdtest::Click(s, IDCANCEL);
                            },
                            &seen);
  CHECK(r == IDCANCEL);
  CHECK(tdtest::HasStatic(seen, L"Hinweis"));
  CHECK_FALSE(d.IsNative());
  CHECK(test::ClassName(seen.Wnd) != L"#32770");
  // The window was the dialog's while it was open; it is gone now.
  CHECK(created == seen.Wnd);
  CHECK(whileOpen == seen.Wnd);
  CHECK(d.hWnd() == nullptr);
  CHECK_FALSE(IsWindow(seen.Wnd));
}
