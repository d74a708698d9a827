#include "settings/settings_path.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

#include "base/files.h"
#include "base/inifiles.h"

std::wstring IniFileName;

namespace {
constexpr wchar_t kSettingsFolder[] = L"kalverin Tastenfang";
constexpr wchar_t kRedirectFile[] = L"Pfad.ini";

struct TCoTaskFree {
  void operator()(ITEMIDLIST *AList) const { CoTaskMemFree(AList); }
};

void ReplaceAll(std::wstring &AText, const std::wstring &AFrom, const std::wstring &ATo) {
  for (size_t p = AText.find(AFrom); p != std::wstring::npos; p = AText.find(AFrom, p + ATo.size()))
    AText.replace(p, AFrom.size(), ATo);
}

} // namespace

std::wstring GetSpecialFolderPath(int ACsidl) {
  ITEMIDLIST *list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, ACsidl, &list)) || !list) return {};
  std::unique_ptr<ITEMIDLIST, TCoTaskFree> owned(list);
  wchar_t buffer[MAX_PATH + 1] = {};
  if (!SHGetPathFromIDListW(list, buffer)) return {};
  return buffer;
}

std::wstring DefaultSettingsPath(const std::wstring &AProgramPath) {
  return GetSpecialFolderPath(CSIDL_APPDATA) + L"\\" + kSettingsFolder + L"\\" +
         ChangeFileExt(ExtractFileName(AProgramPath), L".ini");
}

std::wstring ResolveSettingsPath(const std::wstring &ADefaultPath,
                                 const std::wstring &AProgramPath) {
  std::wstring programFolder = ExtractFilePath(AProgramPath);
  std::wstring redirect = programFolder + kRedirectFile;
  std::wstring folder = ExtractFilePath(ADefaultPath);
  if (FileExists(redirect)) {
    // Plain 8-bit text: the wide reader converts it by the system's code page.
    TIniFile ini(redirect);
    folder = ini.ReadString(L"Pfad", L"Ini", folder);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    if (folder[0] == L'*') {
      ReplaceAll(folder, L"*\\", L"*");
      ReplaceAll(folder, L"*", programFolder);
    }
  }
  return folder + ExtractFileName(ADefaultPath);
}

bool ForceDirectories(const std::wstring &AFolder) {
  std::wstring folder = AFolder;
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
    folder.pop_back();
  // A lone delimiter is the root of the current drive.
  if (folder.empty() || DirectoryExists(folder)) return true;
  std::wstring parent = ExtractFilePath(folder);
  if (!parent.empty() && parent.size() < folder.size()) ForceDirectories(parent);
  return CreateDirectoryW(folder.c_str(), nullptr) || DirectoryExists(folder);
}

void InitSettingsPath(const std::wstring &AProgramPath) {
  IniFileName = ResolveSettingsPath(DefaultSettingsPath(AProgramPath), AProgramPath);
  ForceDirectories(ExtractFilePath(IniFileName));
}

void ReleaseSettingsPath() {
  std::wstring().swap(IniFileName);
}
