#include "base/com.h"

#include <cwchar>
#include <new>

void OleCheck(HRESULT AResult) {
  if (SUCCEEDED(AResult)) return;
  wchar_t *text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, DWORD(AResult), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
  std::wstring message = text ? text : L"";
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
    message.pop_back();
  if (message.empty()) {
    wchar_t code[32];
    swprintf(code, 32, L"OLE-Fehler %08X", unsigned(AResult));
    message = code;
  }
  throw EOleSysError(message, AResult);
}

TBStr::TBStr(const std::wstring &AText)
    : FValue(SysAllocStringLen(AText.data(), UINT(AText.size()))) {
  if (!FValue) throw std::bad_alloc();
}

BSTR *TBStr::Put() {
  SysFreeString(FValue);
  FValue = nullptr;
  return &FValue;
}

TVariant::TVariant(const std::wstring &AText) {
  VariantInit(&FValue);
  FValue.bstrVal = SysAllocStringLen(AText.data(), UINT(AText.size()));
  if (!FValue.bstrVal) throw std::bad_alloc();
  FValue.vt = VT_BSTR;
}

TVariant::TVariant(bool AValue) {
  VariantInit(&FValue);
  FValue.vt = VT_BOOL;
  FValue.boolVal = AValue ? VARIANT_TRUE : VARIANT_FALSE;
}
