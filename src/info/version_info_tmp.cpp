#include "info/version_info.h"
std::wstring GetVersionInfoValue(const std::wstring &) { return L"2.00"; }
