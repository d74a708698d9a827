// The cost of the remembered variant choices: reading the settings file's
// section and the first typo search with them, against the first search
// without, for a section of 10,000 words, one of 10,000 spellings for the
// searched word and one of garbage; and writing the section back.
//   choices_bench [ROUNDS]
#include <cstdio>
#include <string>

#include "bench_support.h"
#include "settings/kal_ini_file.h"
#include "typo/search_address.h"

namespace {

std::wstring TempFile() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"choices_bench.ini";
}

void WriteSection(const std::wstring &AFile, const std::string &ALines) {
  DeleteFileW(AFile.c_str());
  const std::string text = "[FrmMain]\r\nRadNormal=0\r\n[Varianten]\r\n" + ALines;
  HANDLE h = CreateFileW(AFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(h, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(h);
}

typo::TSearchRequest Request(const typo::TVariantChoices *AChoices) {
  typo::TSearchRequest request;
  request.Term = L"Lego Technik";
  request.Options.ResultPages = 3;
  request.Choices = AChoices;
  return request;
}

// Milliseconds of the first search after start-up: with the section read
// from the file, or without one.
double FirstSearch(const std::wstring &AFile, bool AWithChoices, size_t &ASink) {
  const double start = bench::Now();
  typo::TVariantChoices choices;
  if (AWithChoices) {
    TkalIniFile ini(AFile);
    choices = typo::TVariantChoices::FromLines(ini.ReadSectionValues(typo::kVariantChoicesSection));
  }
  for (const std::wstring &a : typo::SearchAddresses(Request(AWithChoices ? &choices : nullptr)))
    ASink += a.size();
  return bench::Now() - start;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
  std::string words, spellings = "0=technik", garbage;
  for (int i = 0; i < 10000; ++i)
    words += std::to_string(i) + "=wort" + std::to_string(i) + ",-wrot" + std::to_string(i) +
             ",+Wortt" + std::to_string(i) + "\r\n";
  for (int i = 0; i < 10000; ++i)
    spellings += (i % 2 ? ",-tecnik" : ",+Tehcnik") + std::to_string(i);
  spellings += "\r\n";
  for (int i = 0; i < 10000; ++i)
    garbage += (i % 3 ? "=,,+(x\x01" : "\xFF\xFE;[x") + std::to_string(i) + "\r\n";
  struct TCase {
    const char *Name;
    const std::string &Lines;
  } cases[] = {{"10,000 words", words}, {"10,000 spellings of one", spellings},
               {"10,000 lines of garbage", garbage}};
  const std::wstring file = TempFile();
  size_t sink = 0;
  std::printf("first typo search (3 pages), milliseconds, median of %d rounds\n", rounds);
  std::printf("%-26s %9s %9s %9s %9s %9s\n", "section", "without", "with", "more", "of it read",
              "write");
  for (const TCase &c : cases) {
    WriteSection(file, c.Lines);
    std::vector<double> without, with, read, write;
    for (int r = 0; r < rounds; ++r) {
      without.push_back(FirstSearch(file, false, sink));
      with.push_back(FirstSearch(file, true, sink));
      TkalIniFile ini(file);
      const double reading = bench::Now();
      const std::vector<std::wstring> lines = ini.ReadSectionValues(typo::kVariantChoicesSection);
      read.push_back(bench::Now() - reading);
      const typo::TVariantChoices choices = typo::TVariantChoices::FromLines(lines);
      const double start = bench::Now();
      ini.WriteSectionValues(typo::kVariantChoicesSection, choices.Lines());
      ini.UpdateFile();
      write.push_back(bench::Now() - start);
    }
    std::printf("%-26s %9.1f %9.1f %9.1f %9.1f %9.1f\n", c.Name, bench::Median(without),
                bench::Median(with), bench::Median(with) - bench::Median(without),
                bench::Median(read), bench::Median(write));
  }
  DeleteFileW(file.c_str());
  return sink ? 0 : 1;
}
