#pragma once
// The program's fixed names and addresses, in one place.

inline constexpr wchar_t kApplicationTitle[] = L"kalverin Tastenfang";
