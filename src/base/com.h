#pragma once
// Component-object calls: failures become exceptions, texts become BSTRs.
#include <windows.h>

#include <oleauto.h>

#include <string>

#include "base/exception.h"

// A failed component-object call; carries the platform's text for it.
class EOleSysError : public Exception {
public:
  EOleSysError(std::wstring AMessage, HRESULT AErrorCode)
      : Exception(std::move(AMessage)), FErrorCode(AErrorCode) {}
  HRESULT ErrorCode() const { return FErrorCode; }

private:
  HRESULT FErrorCode;
};

// Raises EOleSysError when AResult is a failure code.
void OleCheck(HRESULT AResult);

// An owned BSTR.
class TBStr {
public:
  TBStr() = default;
  explicit TBStr(const std::wstring &AText);
  ~TBStr() { SysFreeString(FValue); }
  TBStr(const TBStr &) = delete;
  TBStr &operator=(const TBStr &) = delete;
  BSTR Get() const { return FValue; }
  // For out-parameters: releases the current text first.
  BSTR *Put();
  std::wstring Text() const { return FValue ? std::wstring(FValue, SysStringLen(FValue)) : L""; }

private:
  BSTR FValue = nullptr;
};

// An owned VARIANT, cleared when it goes.
class TVariant {
public:
  TVariant() { VariantInit(&FValue); }
  explicit TVariant(const std::wstring &AText);
  explicit TVariant(bool AValue);
  ~TVariant() { VariantClear(&FValue); }
  TVariant(const TVariant &) = delete;
  TVariant &operator=(const TVariant &) = delete;
  const VARIANT &Get() const { return FValue; }

private:
  VARIANT FValue;
};
