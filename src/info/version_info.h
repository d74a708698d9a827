#pragma once
// TEMPORARY local stand-in (not committed)
#include <string>
std::wstring GetVersionInfoValue(const std::wstring &AKey);
