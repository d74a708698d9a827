#pragma once
// File names: the running program's own, the parts of a path, and whether
// a file or folder is there.
#include <string>

// The full path of the running program file, however long.
std::wstring ProgramFileName();
// Up to and including the last delimiter ("\", "/" or ":").
std::wstring ExtractFilePath(const std::wstring &APath);
// What follows the last delimiter.
std::wstring ExtractFileName(const std::wstring &APath);
// The name with the extension of its last part replaced (or added).
std::wstring ChangeFileExt(const std::wstring &AName, const std::wstring &AExt);
// A file (not a folder) of that name is there.
bool FileExists(const std::wstring &APath);
// A folder of that name is there.
bool DirectoryExists(const std::wstring &APath);
