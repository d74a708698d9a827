#include "base/streams.h"

#include <algorithm>
#include <cstring>

int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void *ABuffer, size_t ACount) {
  if (ACount && Read(ABuffer, ACount) != ACount) throw EStreamError(L"Stream-Lesefehler");
}

void TStream::WriteBuffer(const void *ABuffer, size_t ACount) {
  if (ACount && Write(ABuffer, ACount) != ACount) throw EStreamError(L"Stream-Schreibfehler");
}

int64_t TStream::CopyFrom(TStream &ASource, int64_t ACount) {
  if (ACount == 0) {
    ASource.SetPosition(0);
    ACount = ASource.Size();
  }
  char buffer[65536];
  int64_t left = ACount;
  while (left > 0) {
    size_t n = size_t(std::min<int64_t>(left, sizeof(buffer)));
    ASource.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    left -= int64_t(n);
  }
  return ACount;
}

// ---- TMemoryStream

size_t TMemoryStream::Read(void *ABuffer, size_t ACount) {
  if (FPosition >= FData.size()) return 0;
  size_t n = std::min(ACount, FData.size() - FPosition);
  std::memcpy(ABuffer, FData.data() + FPosition, n);
  FPosition += n;
  return n;
}

size_t TMemoryStream::Write(const void *ABuffer, size_t ACount) {
  if (FPosition > FData.size()) FData.resize(FPosition, '\0');
  size_t overlap = std::min(ACount, FData.size() - FPosition);
  std::memcpy(FData.data() + FPosition, ABuffer, overlap);
  FData.append(static_cast<const char *>(ABuffer) + overlap, ACount - overlap);
  FPosition += ACount;
  return ACount;
}

namespace {
int64_t SeekIn(size_t &APosition, size_t ASize, int64_t AOffset, TSeekOrigin AOrigin) {
  int64_t base = AOrigin == soBeginning ? 0
                 : AOrigin == soCurrent ? int64_t(APosition)
                                        : int64_t(ASize);
  int64_t target = base + AOffset;
  if (target < 0) throw EStreamError(L"Ungültige Stream-Position");
  APosition = size_t(target);
  return target;
}
} // namespace

int64_t TMemoryStream::Seek(int64_t AOffset, TSeekOrigin AOrigin) {
  return SeekIn(FPosition, FData.size(), AOffset, AOrigin);
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

// ---- TResourceStream

TResourceStream::TResourceStream(HINSTANCE AInstance, const std::wstring &AName,
                                 const wchar_t *AType) {
  HRSRC info = FindResourceW(AInstance, AName.c_str(), AType);
  HGLOBAL block = info ? LoadResource(AInstance, info) : nullptr;
  if (!block) throw EResNotFound(L"Ressource " + AName + L" wurde nicht gefunden");
  // Resource memory belongs to the module and lives as long as it does.
  FMemory = static_cast<const char *>(LockResource(block));
  FSize = SizeofResource(AInstance, info);
}

size_t TResourceStream::Read(void *ABuffer, size_t ACount) {
  if (FPosition >= FSize) return 0;
  size_t n = std::min(ACount, FSize - FPosition);
  std::memcpy(ABuffer, FMemory + FPosition, n);
  FPosition += n;
  return n;
}

size_t TResourceStream::Write(const void *, size_t) {
  throw EStreamError(L"Ressourcen können nicht geschrieben werden");
}

int64_t TResourceStream::Seek(int64_t AOffset, TSeekOrigin AOrigin) {
  return SeekIn(FPosition, FSize, AOffset, AOrigin);
}
