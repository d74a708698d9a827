// Published PAD files of other programs, served as they are.
#include <doctest.h>

#include "base/exception.h"
#include "check_harness.h"
#include "pad_server.h"
#include "test_support.h"

TEST_CASE("real PAD files give their values") {
  struct TCase {
    const char *File;
    const wchar_t *Content; // the question's content, or none
    const wchar_t *Download;
    const wchar_t *Failure;
  } cases[] = {
      {"mp4tools_pad_utf8bom.xml",
       L"Sie verwenden derzeit Free MP4 Joiner and Splitter 2.00.\rEs ist eine neue Version 3.5 "
       L"vom "
       L"01.05.2017 erhältlich.\r\rMöchten Sie die neue Version herunterladen?",
       L"http://www.mp4joiner.org/download/MP4Tools-3.5-win32-pb.exe", nullptr},
      {"gmail-notifier-plus_pad.xml",
       L"Sie verwenden derzeit Gmail Notifier Plus 2.00.\rEs ist eine neue Version 3.6 vom "
       L"22.09.2012 erhältlich.\r\rMöchten Sie die neue Version herunterladen?",
       L"http://github.com/downloads/shellscape/Gmail-Notifier-Plus/Gmail-Notifier-Plus-3.6.zip",
       nullptr},
      // Versions with two points are no numbers.
      {"hstr_pad.xml", nullptr, nullptr, L"Die aktuelle Version konnte nicht ermittelt werden."},
      {"dngrep_pad.xml", nullptr, nullptr, L"Die aktuelle Version konnte nicht ermittelt werden."},
      {"wiki2xhtml_pad.xml", nullptr, nullptr,
       L"Die aktuelle Version konnte nicht ermittelt werden."},
      // An unfilled template: the date falls back to its defaults, the version fails.
      {"woofy_template_pad_file.xml", nullptr, nullptr,
       L"Die aktuelle Version konnte nicht ermittelt werden."},
  };
  for (const TCase &c : cases) {
    CAPTURE(std::string(c.File));
    std::string bytes = test::ReadFileBytes(test::TestDataPath(L"pad\\" + Utf8ToWide(c.File)));
    REQUIRE(!bytes.empty());
    TCheckRun run;
    run.Answer = IDYES;
    run.CheckBytes(bytes, true);
    if (c.Content) {
      CHECK(run.Boxes.empty());
      REQUIRE(run.Dialogs.size() == 1);
      CHECK(run.Dialogs[0].Texts.back() == c.Content);
      REQUIRE(run.Opened.size() == 1);
      CHECK(run.Opened[0].File == c.Download);
    } else {
      CHECK(run.Dialogs.empty());
      CHECK(run.Boxes == std::vector<std::wstring>{c.Failure});
    }
  }
}

TEST_CASE("hstr's values: a month without leading zero and an https address") {
  // Its "3.1.0" is no number; with the version made one, the rest shows.
  std::string bytes = test::ReadFileBytes(test::TestDataPath(L"pad\\hstr_pad.xml"));
  size_t p = bytes.find("<Program_Version>3.1.0<");
  REQUIRE(p != std::string::npos);
  bytes.replace(p, 23, "<Program_Version>3.1<");
  TCheckRun run;
  run.Answer = IDYES;
  run.CheckBytes(bytes, false);
  REQUIRE(run.Dialogs.size() == 1);
  CHECK(run.Dialogs[0].Texts.back().find(L"derzeit HSTR 2.00.\rEs ist eine neue Version 3.1 vom "
                                         L"18.04.2023 erhältlich.") != std::wstring::npos);
  REQUIRE(run.Opened.size() == 1);
  CHECK(run.Opened[0].File == L"https://github.com/dvorka/hstr/releases");
}
