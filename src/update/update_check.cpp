#include "update/update_check.h"

#include <windows.h>

#include <msxml2.h>

#include <memory>

#include "base/com.h"
#include "base/convert.h"
#include "base/dates.h"
#include "info/version_info.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/platform.h"
#include "update/busy_cursor.h"
#include "update/version_number.h"

using Microsoft::WRL::ComPtr;

std::function<std::wstring()> ProductVersionHook;

namespace {
// MSXML "DOMDocument" and its interface IXMLDOMDocument2.
const CLSID ClsidDomDocument = {
    0xF6D90F11, 0x9C73, 0x11D3, {0xB3, 0x2E, 0x00, 0xC0, 0x4F, 0x99, 0x0B, 0xB4}};
const IID IidXmlDomDocument2 = {
    0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

const wchar_t LoadFailed[] = L"Die Versionsinformationen konnten nicht geladen werden.";

std::wstring LocalProductVersion() {
  return ProductVersionHook ? ProductVersionHook() : GetVersionInfoValue(L"ProductVersion");
}

// Sets the busy cursor back whatever happens while it is shown.
struct TBusyCursor {
  TBusyCursor() { ShowBusyCursor(); }
  ~TBusyCursor() { HideBusyCursor(); }
  TBusyCursor(const TBusyCursor &) = delete;
  TBusyCursor &operator=(const TBusyCursor &) = delete;
};
} // namespace

TkalUpdateCheck::TkalUpdateCheck() {
  OleCheck(CoCreateInstance(ClsidDomDocument, nullptr, CLSCTX_INPROC_SERVER, IidXmlDomDocument2,
                            reinterpret_cast<void **>(FXmlDocument.GetAddressOf())));
  OleCheck(FXmlDocument->put_async(VARIANT_FALSE));
  // Element texts as written: a version with a trailing blank is no number.
  OleCheck(FXmlDocument->put_preserveWhiteSpace(VARIANT_TRUE));
  // The document comes over plain HTTP: fetch nothing else for it and take
  // no DTD, whose entities could expand without bound.
  OleCheck(FXmlDocument->put_resolveExternals(VARIANT_FALSE));
  OleCheck(FXmlDocument->put_validateOnParse(VARIANT_FALSE));
  // Older services do not know the property; LoadDocument refuses a DTD itself.
  TBStr prohibitDtd(L"ProhibitDTD");
  TVariant on(true);
  FXmlDocument->setProperty(prohibitDtd.Get(), on.Get());
  TBStr language(L"SelectionLanguage");
  TVariant xpath(std::wstring(L"XPath"));
  OleCheck(FXmlDocument->setProperty(language.Get(), xpath.Get()));
}

TkalUpdateCheck::~TkalUpdateCheck() = default;

void TkalUpdateCheck::Check(const std::wstring &APadUrl, bool AShowMessages) {
  auto check = std::make_unique<TkalUpdateCheck>();
  try {
    if (!check->LoadDocument(APadUrl)) throw Exception(LoadFailed);
    check->ReadDocument();
    if (check->IsNewVersion())
      check->ShowNewVersion();
    else if (AShowMessages)
      check->ShowNoNewVersion();
  } catch (const std::exception &E) {
    if (AShowMessages) {
      auto *e = dynamic_cast<const Exception *>(&E);
      PlatformMessageBox(Application->Handle(), e ? e->Message() : Utf8ToWide(E.what()),
                         Application->Title(), MB_OK);
    }
  }
}

bool TkalUpdateCheck::LoadDocument(const std::wstring &AAddress) {
  TBusyCursor busy;
  TVariant address(AAddress);
  VARIANT_BOOL loaded = VARIANT_FALSE;
  OleCheck(FXmlDocument->load(address.Get(), &loaded));
  if (loaded != VARIANT_TRUE) return false;
  // Where the service does not refuse a DTD by itself, a document with one is
  // no PAD document of ours; its entities are never expanded.
  ComPtr<IXMLDOMDocumentType> doctype;
  OleCheck(FXmlDocument->get_doctype(doctype.GetAddressOf()));
  return !doctype;
}

std::wstring TkalUpdateCheck::SelectText(const wchar_t *AXPath) {
  ComPtr<IXMLDOMElement> root;
  OleCheck(FXmlDocument->get_documentElement(root.GetAddressOf()));
  if (!root) throw Exception(LoadFailed);
  TBStr xpath(AXPath);
  ComPtr<IXMLDOMNode> node;
  OleCheck(root->selectSingleNode(xpath.Get(), node.GetAddressOf()));
  if (!node) throw Exception(LoadFailed);
  TBStr text;
  OleCheck(node->get_text(text.Put()));
  return text.Text();
}

void TkalUpdateCheck::ReadDocument() {
  FProgramName = SelectText(L"/XML_DIZ_INFO/Program_Info/Program_Name");
  FVersion = SelectText(L"/XML_DIZ_INFO/Program_Info/Program_Version");
  std::wstring year = SelectText(L"/XML_DIZ_INFO/Program_Info/Program_Release_Year");
  std::wstring month = SelectText(L"/XML_DIZ_INFO/Program_Info/Program_Release_Month");
  std::wstring day = SelectText(L"/XML_DIZ_INFO/Program_Info/Program_Release_Day");
  TDate date = EncodeDate(StrToIntDef(year, 1980), StrToIntDef(month, 1), StrToIntDef(day, 1));
  FReleaseDate = FormatShortDate(date);
  FDownloadUrl = SelectText(L"/XML_DIZ_INFO/Web_Info/Download_URLs/Primary_Download_URL");
}

bool TkalUpdateCheck::IsNewVersion() {
  std::optional<double> local = VersionNumber(LocalProductVersion());
  if (!local) throw Exception(L"Lokale Version konnte nicht ermittelt werden.");
  std::optional<double> published = VersionNumber(FVersion);
  if (!published) throw Exception(L"Die aktuelle Version konnte nicht ermittelt werden.");
  return *published > *local;
}

void TkalUpdateCheck::ShowNewVersion() {
  // Checked only where it is used: an address that is no web address makes
  // the offer unreadable, never the answer that there is nothing new.
  if (!IsWebAddress(FDownloadUrl)) throw Exception(LoadFailed);
  const std::wstring content =
      Format(L"Sie verwenden derzeit %s %s.", {FProgramName, LocalProductVersion()}) + L"\r" +
      Format(L"Es ist eine neue Version %s vom %s erhältlich.", {FVersion, FReleaseDate}) +
      L"\r\r" + L"Möchten Sie die neue Version herunterladen?";
  if (TaskMessageDlg(L"Neue Programmversion verfügbar", content, mtConfirmation, mbYes | mbNo) !=
      mrYes)
    return;
  ShellOpen(Application->Handle(), FDownloadUrl);
}

void TkalUpdateCheck::ShowNoNewVersion() {
  TaskMessageDlg(L"Keine neue Programmversion verfügbar",
                 L"Sie verwenden bereits die aktuelle Programmversion.", mtInformation, mbOK);
}
