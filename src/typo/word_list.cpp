#include "typo/word_list.h"

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <memory>

#include "typo/fnv1a.h"
#include "typo/typo_model.h"

namespace typo {

namespace {

uint32_t ReadU32(const std::string &ABytes, size_t AAt) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = (v << 8) | uint8_t(ABytes[AAt + size_t(i)]);
  return v;
}

bool IsShared(char AByte) {
  return uint8_t(AByte) <= TWordList::kMaxShared;
}

} // namespace

// Read through the C runtime rather than iostreams and filesystem, which
// would double the program's size for this one file.
TWordList TWordList::FromFile(const std::wstring &APath) {
#ifdef _WIN32
  std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(_wfopen(APath.c_str(), L"rb"), std::fclose);
#else
  std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(ToUtf8(APath).c_str(), "rb"),
                                                        std::fclose);
#endif
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return {};
  const long size = std::ftell(file.get());
  if (size < long(kHeaderSize) || size_t(size) > kMaxFileSize) return {};
  std::string bytes(size_t(size), '\0');
  std::rewind(file.get());
  if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return {};
  return FromBytes(std::move(bytes));
}

TWordList TWordList::FromBytes(std::string ABytes) {
  TWordList list;
  if (ABytes.size() < kHeaderSize || ABytes.size() > kMaxFileSize ||
      std::memcmp(ABytes.data(), kMagic, sizeof(kMagic)) != 0)
    return {};
  const uint32_t count = ReadU32(ABytes, 8), length = ReadU32(ABytes, 12),
                 hash = ReadU32(ABytes, 16);
  if (length != ABytes.size() - kHeaderSize) return {};
  ABytes.erase(0, kHeaderSize);
  list.FData = std::move(ABytes);
  if (Fnv1a(std::string_view(list.FData)) != hash) return {};
  list.FCount = count;
  if (!list.Index()) return {};
  return list;
}

// Finds the blocks and checks every record: a file that passes keeps the
// lookup inside its bytes, whatever it holds.
bool TWordList::Index() {
  std::string previous;
  size_t records = 0;
  for (size_t at = 0; at < FData.size();) {
    const unsigned shared = uint8_t(FData[at]);
    if (shared > kMaxShared || shared > previous.size()) return false;
    if (records % kBlock == 0) {
      if (shared != 0) return false;
      FBlocks.push_back(uint32_t(at));
    }
    size_t end = at + 1;
    while (end < FData.size() && !IsShared(FData[end]))
      ++end;
    const std::string_view rest = std::string_view(FData).substr(at + 1, end - at - 1);
    // Each word after the one before: the lookup stops at the first after.
    if (rest.empty() || shared + rest.size() > kMaxWord ||
        (records > 0 && rest <= std::string_view(previous).substr(shared)))
      return false;
    previous.resize(shared);
    previous.append(rest);
    at = end;
    ++records;
  }
  if (records != FCount || records == 0) {
    FBlocks.clear();
    return false;
  }
  return true;
}

std::string_view TWordList::Head(size_t ABlock) const {
  const size_t at = FBlocks[ABlock] + 1;
  size_t end = at;
  while (end < FData.size() && !IsShared(FData[end]))
    ++end;
  return std::string_view(FData).substr(at, end - at);
}

bool TWordList::Contains(std::wstring_view AWord) const {
  if (Empty() || AWord.empty() || AWord.size() > kMaxWord) return false;
  char key[kMaxWord];
  for (size_t i = 0; i < AWord.size(); ++i) {
    const wchar_t c = FoldCase(AWord[i]);
    if (c > 0xFF || IsShared(char(c))) return false;
    key[i] = char(c);
  }
  const std::string_view wanted(key, AWord.size());
  // The last block whose first word is not after the key.
  size_t low = 0, high = FBlocks.size();
  while (high - low > 1) {
    const size_t mid = (low + high) / 2;
    (Head(mid) <= wanted ? low : high) = mid;
  }
  // The words of the block in turn, each from the one before; no word
  // longer than kMaxWord was let in.
  const size_t end = low + 1 < FBlocks.size() ? FBlocks[low + 1] : FData.size();
  char word[kMaxWord];
  for (size_t at = FBlocks[low]; at < end;) {
    size_t length = uint8_t(FData[at]);
    for (++at; at < end && !IsShared(FData[at]); ++at)
      word[length++] = FData[at];
    const int order = std::string_view(word, length).compare(wanted);
    if (order >= 0) return order == 0;
  }
  return false;
}

TIsWord WordFilter(const TWordList &AList) {
  if (AList.Empty()) return {};
  return [&AList](std::wstring_view AWord) { return AList.Contains(AWord); };
}

} // namespace typo
