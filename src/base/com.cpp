#include "base/com.h"

#include <cwchar>
#include <new>

void OleCheck(HRESULT AResult) {
  if (SUCCEEDED(AResult)) return;
  std::wstring message = SysErrorMessage(DWORD(AResult));
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
