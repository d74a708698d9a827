#pragma once
// A list of real words, to keep them out of the typo search: a variant that
// is a word finds ordinary offers of something else. Read from the compact
// file the build makes (tools/make_word_list.py): sorted words, lower case,
// Latin-1, each sharing a prefix with the one before, a full word every
// kBlock words so that a lookup decodes one block.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "typo/typo_query.h"

namespace typo {

// The word file's name beside the program, as the setups and archives ship
// it.
inline constexpr wchar_t kWordFileName[] = L"Tastenfang.wortliste";

class TWordList {
public:
  // The file's layout: magic, then word count, data bytes and the FNV-1a
  // hash of the data (each 32 bits, little-endian), then the records. A
  // record is one byte below 'A' (the letters it shares with the word
  // before) and the rest of its letters.
  static constexpr char kMagic[8] = {'T', 'F', 'W', 'L', '1', '\r', '\n', 0x1A};
  static constexpr size_t kHeaderSize = sizeof(kMagic) + 12;
  static constexpr size_t kBlock = 32;
  static constexpr size_t kMaxWord = 64;
  static constexpr unsigned kMaxShared = 0x40;
  // Far more than the German list needs; a larger file is refused unread.
  static constexpr size_t kMaxFileSize = 4u << 20;

  TWordList() = default;
  // Never throws: a missing, empty, cut or damaged file gives an empty list.
  static TWordList FromFile(const std::wstring &APath);
  // The same from the file's bytes.
  static TWordList FromBytes(std::string ABytes);

  bool Empty() const { return FBlocks.empty(); }
  size_t Count() const { return FCount; }
  // Regardless of letter case.
  bool Contains(std::wstring_view AWord) const;

private:
  bool Index();
  std::string_view Head(size_t ABlock) const;

  std::string FData;
  std::vector<uint32_t> FBlocks; // offset of each block's full word
  size_t FCount = 0;
};

// The query's word predicate for the list; none for an empty one, so that
// the query runs unfiltered. The list must outlive the predicate.
TIsWord WordFilter(const TWordList &AList);

} // namespace typo
