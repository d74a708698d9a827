#include "app/word_filter.h"

#include "base/files.h"

const typo::TIsWord &ProgramWordFilter() {
  static const typo::TWordList words =
      typo::TWordList::FromFile(ExtractFilePath(ProgramFileName()) + typo::kWordFileName);
  static const typo::TIsWord filter = typo::WordFilter(words);
  return filter;
}
