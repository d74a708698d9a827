#pragma once
// Finds out from the maker's PAD document whether a newer version exists
// and offers to download it.
#include <wrl/client.h>

#include <functional>
#include <string>

struct IXMLDOMDocument2;

class TkalUpdateCheck {
public:
  // One whole check. Without messages, only a newer version is reported.
  // A missing XML service is not caught: it goes on to the caller.
  static void Check(const std::wstring &APadUrl, bool AShowMessages);

  TkalUpdateCheck();
  ~TkalUpdateCheck();
  TkalUpdateCheck(const TkalUpdateCheck &) = delete;
  TkalUpdateCheck &operator=(const TkalUpdateCheck &) = delete;

private:
  bool LoadDocument(const std::wstring &AAddress);
  void ReadDocument();
  bool IsNewVersion();
  void ShowNewVersion();
  void ShowNoNewVersion();
  std::wstring SelectText(const wchar_t *AXPath);

  std::wstring FDownloadUrl;
  std::wstring FProgramName;
  std::wstring FReleaseDate;
  std::wstring FVersion;
  Microsoft::WRL::ComPtr<IXMLDOMDocument2> FXmlDocument;
};

// A hook gives the own product version instead of the version resource.
extern std::function<std::wstring()> ProductVersionHook;
