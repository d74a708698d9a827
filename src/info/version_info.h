#pragma once
// Values of a program file's version resource.
#include <string>

// The value of AKey in the German/1252 string block ("040704E4") of the
// version resource of AModulePath (the running program when empty), or
// "Undefiniert" when there is none.
std::wstring GetVersionInfoValue(const std::wstring &AKey, const std::wstring &AModulePath = L"");
