// The whole update check against the loopback server, through the real XML
// service, with the real dialogs answered on screen.
#include <doctest.h>

#include "base/com.h"
#include "check_harness.h"
#include "info/version_info.h"
#include "pad_server.h"
#include "test_support.h"
#include "ui/application.h"
#include "ui/screen.h"
#include "update/update_check.h"

namespace {
const std::wstring LoadFailed = L"Die Versionsinformationen konnten nicht geladen werden.";
const std::wstring NewVersionContent =
    L"Sie verwenden derzeit kalverin Tastenfang 2.00.\rEs ist eine neue Version 2.01 vom "
    L"24.12.2010 erhältlich.\r\rMöchten Sie die neue Version herunterladen?";

std::wstring Content(const TSeenDialog &ADialog) {
  return ADialog.Texts.empty() ? L"" : ADialog.Texts.back();
}

// A published version checked silently: was a newer version offered?
bool Offered(const std::string &APublished, const std::wstring &AOwn = L"2.00") {
  TCheckRun run(AOwn);
  TPad pad;
  pad.Version = APublished;
  run.CheckPad(pad, false);
  CHECK(run.Boxes.empty());
  return run.Dialogs.size() == 1;
}

// The plain failure boxes of one check with messages; none of it silently.
std::vector<std::wstring> Failures(const std::function<void(TCheckRun &, bool)> &ACheck,
                                   std::optional<std::wstring> AOwn = std::nullopt) {
  {
    TCheckRun silent(AOwn);
    ACheck(silent, false);
    CHECK_MESSAGE(silent.Silent(), "a silent check showed something");
  }
  TCheckRun run(AOwn);
  ACheck(run, true);
  CHECK(run.Dialogs.empty());
  CHECK(run.Opened.empty());
  for (size_t i = 0; i < run.Boxes.size(); ++i) {
    CHECK(run.BoxCaptions[i] == L"kalverin Tastenfang");
    CHECK(run.BoxTypes[i] == UINT(MB_OK)); // no icon
  }
  return run.Boxes;
}

std::vector<std::wstring> PadFailures(const TPad &APad) {
  return Failures([&APad](TCheckRun &ARun, bool AShow) { ARun.CheckPad(APad, AShow); });
}

std::vector<std::wstring> DocumentFailures(const std::string &ADocument) {
  return Failures([&ADocument](TCheckRun &ARun, bool AShow) { ARun.CheckBytes(ADocument, AShow); });
}

const std::vector<std::wstring> LoadFailure{LoadFailed};

// The one dialog a check with messages shows, answered with OK.
TSeenDialog OnlyDialog(const TPad &APad) {
  TCheckRun run;
  run.Answer = IDOK;
  run.CheckPad(APad, true);
  CHECK(run.Boxes.empty());
  REQUIRE(run.Dialogs.size() == 1);
  return run.Dialogs[0];
}
} // namespace

TEST_CASE("the same version is reported only when messages are wanted") {
  for (bool taskDialog : {true, false}) {
    CAPTURE(taskDialog);
    TPresentation presentation(taskDialog);
    TPad pad;
    pad.Version = "2.00";
    const TSeenDialog d = OnlyDialog(pad);
    CHECK(d.Caption == L"Informationen");
    CHECK(Content(d) == L"Sie verwenden bereits die aktuelle Programmversion.");
    CHECK(d.Buttons == std::vector<std::wstring>{L"OK"});
    if (taskDialog) {
      CHECK(d.Texts.front() == L"Keine neue Programmversion verfügbar");
    } else {
      CHECK(d.Texts.size() == 1); // the classic box has no main instruction
      CHECK(d.Centred);
    }

    TCheckRun silent;
    silent.CheckPad(pad, false);
    CHECK(silent.Silent());
  }
}

TEST_CASE("a newer version is offered in both modes; No opens nothing") {
  for (bool taskDialog : {true, false}) {
    for (bool showMessages : {true, false}) {
      CAPTURE(taskDialog);
      CAPTURE(showMessages);
      TPresentation presentation(taskDialog);
      TCheckRun run;
      run.Answer = IDNO;
      run.CheckPad(TPad{}, showMessages);
      CHECK(run.Boxes.empty());
      REQUIRE(run.Dialogs.size() == 1);
      const TSeenDialog &d = run.Dialogs[0];
      CHECK(d.Caption == L"Bestätigen");
      CHECK(Content(d) == NewVersionContent);
      CHECK(d.Buttons == std::vector<std::wstring>{L"&Ja", L"&Nein"});
      CHECK(d.Focused == L"&Ja");
      if (taskDialog)
        CHECK(d.Texts.front() == L"Neue Programmversion verfügbar");
      else
        CHECK(d.Centred);
      CHECK(run.Opened.empty());
    }
  }
}

TEST_CASE("closing the question downloads nothing") {
  TCheckRun run;
  run.Answer = IDCANCEL;
  run.CheckPad(TPad{}, true);
  CHECK(run.Dialogs.size() == 1);
  CHECK(run.Opened.empty());
  CHECK(run.Boxes.empty());
}

TEST_CASE("Yes hands the download address to the shell unchanged") {
  for (bool taskDialog : {true, false}) {
    CAPTURE(taskDialog);
    TPresentation presentation(taskDialog);
    TCheckRun run;
    run.Answer = IDYES;
    TPad pad;
    pad.Url = "HTTPS://127.0.0.1:8/Download/Tastenfang Setup 2.01.exe?a=1&amp;b=%20";
    run.CheckPad(pad, false);
    REQUIRE(run.Opened.size() == 1);
    const TShellExecuteRequest &r = run.Opened[0];
    CHECK(r.File == L"HTTPS://127.0.0.1:8/Download/Tastenfang Setup 2.01.exe?a=1&b=%20");
    CHECK_FALSE(r.Verb.has_value());
    CHECK_FALSE(r.Parameters.has_value());
    CHECK_FALSE(r.Directory.has_value());
    CHECK(r.ShowCmd == SW_SHOWNORMAL);
    CHECK(r.Owner == Application->Handle());
  }
}

TEST_CASE("versions compare as decimal numbers") {
  CHECK(Offered("2.1"));
  CHECK(Offered("2.01"));
  // Leading blanks are allowed; the element's text is taken as written.
  CHECK(Offered("   2.01"));
  CHECK(Offered("+201e-2"));
  CHECK_FALSE(Offered("2.00"));
  CHECK_FALSE(Offered("2"));
  CHECK_FALSE(Offered("1.99"));
  CHECK_FALSE(Offered("-3"));
  CHECK_FALSE(Offered("2.10", L"2.9")); // 2.1 < 2.9
  CHECK(Offered("3", L"."));            // a lone "." counts as 0
}

TEST_CASE("a published version that is no number fails the check") {
  const std::vector<std::wstring> expected{L"Die aktuelle Version konnte nicht ermittelt werden."};
  for (const char *version : {"2.0.1", "", "zwei", "2,01", "v2.01", "+", "2.01 ", "2.01\t"}) {
    CAPTURE(std::string(version));
    TPad pad;
    pad.Version = version;
    CHECK(PadFailures(pad) == expected);
  }
}

TEST_CASE("an own version that cannot be read fails every check") {
  // A file without the German block stands for a program whose version
  // resource cannot be read.
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring own =
      GetVersionInfoValue(L"ProductVersion", std::wstring(system) + L"\\kernel32.dll");
  REQUIRE(own == L"Undefiniert");
  const std::vector<std::wstring> expected{L"Lokale Version konnte nicht ermittelt werden."};
  for (const char *version : {"2.00", "2.01"}) {
    CAPTURE(std::string(version));
    TPad pad;
    pad.Version = version;
    CHECK(Failures([&pad](TCheckRun &ARun, bool AShow) { ARun.CheckPad(pad, AShow); }, own) ==
          expected);
  }
}

TEST_CASE("the release date: defaults, whole-number forms and invalid days") {
  struct TCase {
    const char *Year, *Month, *Day;
    const wchar_t *Shown;
  } cases[] = {
      {"2010", "", "", L"01.01.2010"},     {"", "12", "24", L"24.12.1980"},
      {"", "", "", L"01.01.1980"},         {"2010", "$C", " 0x18", L"24.12.2010"},
      {"+2012", "2", "29", L"29.02.2012"}, {"2010", "Dezember", "24.", L"01.01.2010"},
      {"0987", "3", "7", L"07.03.0987"},   {"9999", "12", "31", L"31.12.9999"},
      {"2010 ", "12", "24", L"24.12.1980"}, // a trailing blank is no whole number
  };
  for (const TCase &c : cases) {
    CAPTURE(WideToUtf8(c.Shown));
    TCheckRun run;
    TPad pad;
    pad.Year = c.Year;
    pad.Month = c.Month;
    pad.Day = c.Day;
    run.CheckPad(pad, false);
    REQUIRE(run.Dialogs.size() == 1);
    CHECK(Content(run.Dialogs[0]).find(std::wstring(L"2.01 vom ") + c.Shown + L" erhältlich") !=
          std::wstring::npos);
  }

  const std::vector<std::wstring> dateError{L"Ungültiges Argument zum Codieren des Datums"};
  struct TBad {
    const char *Year, *Month, *Day;
  } bad[] = {{"2010", "13", "1"},  {"2010", "4", "31"}, {"2011", "2", "29"}, {"1900", "2", "29"},
             {"2010", "0", "1"},   {"2010", "-1", "1"}, {"0", "1", "1"},     {"10000", "1", "1"},
             {"2010", "1", "$FF"}, {"2010", "1", "0x0"}};
  for (const TBad &b : bad) {
    CAPTURE(std::string(b.Year));
    CAPTURE(std::string(b.Month));
    CAPTURE(std::string(b.Day));
    TPad pad;
    pad.Year = b.Year;
    pad.Month = b.Month;
    pad.Day = b.Day;
    CHECK(PadFailures(pad) == dateError);
  }
}

TEST_CASE("a missing element fails the check") {
  for (int i = 0; i < 6; ++i) {
    CAPTURE(i);
    TPad pad;
    std::optional<std::string> *fields[] = {&pad.Name,  &pad.Version, &pad.Year,
                                            &pad.Month, &pad.Day,     &pad.Url};
    fields[i]->reset();
    CHECK(PadFailures(pad) == LoadFailure);
  }
}

TEST_CASE("documents that cannot be used end in the load failure") {
  TPad pad;
  std::string good = pad.Xml();
  std::string body = good.substr(good.find("<XML_DIZ_INFO>"));
  std::string wrongRoot = good;
  for (size_t p; (p = wrongRoot.find("XML_DIZ_INFO")) != std::string::npos;)
    wrongRoot.replace(p, 12, "PAD_INFO");
  std::string latin1 = good;
  latin1.replace(latin1.find("kalverin"), 8, "k\xe4lverin"); // not UTF-8 as declared
  struct TCase {
    const char *Name;
    std::string Document;
  } cases[] = {
      {"not XML", "Program_Version=2.01\r\n"},
      {"empty", ""},
      {"HTML page",
       "<html><head><title>Fehler</title></head><body><p>Nicht gefunden<br></body></html>"},
      {"wrong root", wrongRoot},
      {"cut off", good.substr(0, good.size() / 2)},
      {"bytes not in the declared encoding", latin1},
      {"unknown encoding", "<?xml version=\"1.0\" encoding=\"x-kalverin\"?>\r\n" + body},
      {"10 MB of text", std::string(10 * 1024 * 1024, 'A')},
      {"UTF-8 BOM before a UTF-16 declaration",
       "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + body},
  };
  for (const TCase &c : cases) {
    CAPTURE(std::string(c.Name));
    CHECK(DocumentFailures(c.Document) == LoadFailure);
  }
}

TEST_CASE("a BOM and other encodings of a good document are read") {
  TPad pad;
  pad.Name = "K\xc3\xa4lverin";
  std::string utf8 = pad.Xml();
  std::string body = utf8.substr(utf8.find("<XML_DIZ_INFO>"));
  std::string latin1 = body;
  latin1.replace(latin1.find("K\xc3\xa4"), 3, "K\xe4");
  std::string utf16 = "\xFF\xFE";
  for (wchar_t c : Utf8ToWide("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + body)) {
    utf16 += char(c & 0xFF);
    utf16 += char(c >> 8);
  }
  for (const std::string &document :
       {"\xEF\xBB\xBF" + utf8, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + latin1,
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + latin1, utf16}) {
    TCheckRun run;
    run.CheckBytes(document, false);
    REQUIRE(run.Dialogs.size() == 1);
    CHECK(Content(run.Dialogs[0]).find(L"derzeit Kälverin 2.00.") != std::wstring::npos);
  }
}

TEST_CASE("no connection, a missing document or a server error fail the load") {
  const TPadServer &server = TPadServer::Get();
  server.Put("error.html", "<html><body><h1>Internal Server Error</h1></body></html>");
  for (const std::wstring &url :
       {RefusingUrl(), server.Url("nicht-da.xml"), server.Url("status/500/error.html"),
        server.Url("status/404/error.html"), server.Url("status/503/leer.xml")}) {
    CAPTURE(WideToUtf8(url));
    CHECK(Failures([&url](TCheckRun &ARun, bool AShow) { ARun.CheckUrl(url, AShow); }) ==
          LoadFailure);
  }
}

TEST_CASE("an error status with a PAD document as its body") {
  TPadServer::Get().Put("fehler-mit-pad.xml", TPad{}.Xml());
  TCheckRun run;
  run.CheckUrl(TPadServer::Get().Url("status/404/fehler-mit-pad.xml"), true);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (GetProcAddress(ntdll, "wine_get_version")) {
    // Wine's XML service parses the body of an error answer as the document;
    // the one on Windows fails the load.
    CHECK(run.Dialogs.size() == 1);
  } else {
    CHECK(run.Boxes == LoadFailure);
  }
}

TEST_CASE("the hourglass is set back to the default cursor after a failed load") {
  Screen->SetCursor(crHourGlass);
  TCheckRun run;
  run.CheckUrl(RefusingUrl(), false); // checks the cursor itself
  CHECK(run.Silent());
}

TEST_CASE("only web addresses are offered for download") {
  for (const char *url :
       {"file:///C:/windows/system32/calc.exe", "C:\\windows\\system32\\calc.exe",
        "\\\\127.0.0.1\\freigabe\\setup.exe", "calc.exe", "javascript:alert(1)",
        "http:/127.0.0.1/setup.exe", "http:", "res://setup.exe", "ftp://127.0.0.1/a", ""}) {
    CAPTURE(std::string(url));
    TPad pad;
    pad.Url = url;
    CHECK(PadFailures(pad) == LoadFailure);
    // Without a newer version the address is never used: the user is told
    // there is nothing new.
    pad.Version = "2.00";
    CHECK(Content(OnlyDialog(pad)) == L"Sie verwenden bereits die aktuelle Programmversion.");
  }
  for (const char *url :
       {"http://127.0.0.1/a.exe", "HTTPS://127.0.0.1/a.exe", "mailto:a@b.de"}) {
    CAPTURE(std::string(url));
    TPad pad;
    pad.Url = url;
    TCheckRun run;
    run.Answer = IDYES;
    run.CheckPad(pad, false);
    REQUIRE(run.Opened.size() == 1);
    CHECK(run.Opened[0].File == Utf8ToWide(url));
  }
}

TEST_CASE("without the XML service the failure goes on to the caller") {
  // Without the component-object runtime the document cannot be created.
  std::vector<std::wstring> boxes;
  MessageBoxHook = [&boxes](HWND, const std::wstring &AText, const std::wstring &, UINT) {
    boxes.push_back(AText);
    return IDOK;
  };
  CHECK_THROWS_AS(TkalUpdateCheck::Check(TPadServer::Get().Url("pad1.xml"), true), EOleSysError);
  MessageBoxHook = nullptr;
  CHECK(boxes.empty());
}
