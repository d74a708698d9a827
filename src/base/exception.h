#pragma once
// The framework's failure type: every failure the program reports carries a
// message text, and one class roots them all.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::wstring AMessage);
  const std::wstring &Message() const noexcept { return FMessage; }
  const char *what() const noexcept override { return FWhat.c_str(); }

private:
  std::wstring FMessage;
  std::string FWhat;
};

// A text that is no valid number, date or the like.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// An operation that does not fit the object's state.
class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
};

// A failed call of the platform; carries its error text.
class EOSError : public Exception {
public:
  using Exception::Exception;
};

// The platform's text for an error code, without the trailing line break.
std::wstring SysErrorMessage(unsigned long ACode);

// Raises EOSError with the platform's text for the calling thread's last error.
[[noreturn]] void RaiseLastOSError();

// Replaces each "%s" and "%d" of AFormat by the next argument, in order.
std::wstring Format(const std::wstring &AFormat,
                    std::initializer_list<std::wstring> AArgs);

// UTF-16 <-> UTF-8 by the platform's conversion.
std::string WideToUtf8(const std::wstring &AText);
std::wstring Utf8ToWide(const std::string &AText);
