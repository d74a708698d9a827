#pragma once
// Where the settings file lives: in the user's application-data folder, or
// where the redirect file "Pfad.ini" beside the program file says.
#include <string>

#include "base/files.h" // ProgramFileName

// Full path of the settings file; set once at start-up, released at exit.
extern std::wstring IniFileName;

// The file-system path of a shell special folder, without a trailing
// delimiter; empty when the shell cannot name it.
std::wstring GetSpecialFolderPath(int ACsidl);


// The application-data folder, "kalverin Tastenfang", and the program
// file's name with the extension ".ini".
std::wstring DefaultSettingsPath(const std::wstring &AProgramPath);

// The settings file's path after applying "Pfad.ini" from the program
// file's folder: section "Pfad", key "Ini", a folder where a leading "*"
// stands for the program's folder.
std::wstring ResolveSettingsPath(const std::wstring &ADefaultPath,
                                 const std::wstring &AProgramPath);

// Creates a folder with every missing parent; true when it exists after.
bool ForceDirectories(const std::wstring &AFolder);

// Start-up: sets IniFileName for the program file and creates its folder
// when missing (a failure shows later, when the settings are saved). The
// program passes ProgramFileName().
void InitSettingsPath(const std::wstring &AProgramPath);

// Module end step.
void ReleaseSettingsPath();
