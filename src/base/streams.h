#pragma once
// Byte streams: the memory stream pictures are read from and written to,
// and a read-only stream over a resource of a module.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/exception.h"

class EStreamError : public Exception {
public:
  using Exception::Exception;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
  TStream() = default;
  virtual ~TStream() = default;
  TStream(const TStream &) = delete;
  TStream &operator=(const TStream &) = delete;

  // Reads or writes at most ACount bytes; returns how many were moved.
  virtual size_t Read(void *ABuffer, size_t ACount) = 0;
  virtual size_t Write(const void *ABuffer, size_t ACount) = 0;
  // Returns the new position.
  virtual int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t AValue) { Seek(AValue, soBeginning); }
  virtual int64_t Size();

  // Exactly ACount bytes or EStreamError.
  void ReadBuffer(void *ABuffer, size_t ACount);
  void WriteBuffer(const void *ABuffer, size_t ACount);
  // Copies ACount bytes from ASource's position (0: all of ASource from
  // its start); returns the count copied.
  int64_t CopyFrom(TStream &ASource, int64_t ACount);
};

// Bytes in memory, growing as they are written.
class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string ABytes) : FData(std::move(ABytes)) {}

  size_t Read(void *ABuffer, size_t ACount) override;
  size_t Write(const void *ABuffer, size_t ACount) override;
  int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) override;
  int64_t Size() override { return int64_t(FData.size()); }

  const std::string &Bytes() const { return FData; }
  const char *Memory() const { return FData.data(); }
  void Clear();

private:
  std::string FData;
  size_t FPosition = 0;
};

// A read-only view of a resource of a module; the bytes are the module's.
class TResourceStream : public TStream {
public:
  // EResNotFound when the module has no such resource.
  TResourceStream(HINSTANCE AInstance, const std::wstring &AName, const wchar_t *AType);

  size_t Read(void *ABuffer, size_t ACount) override;
  size_t Write(const void *ABuffer, size_t ACount) override;
  int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin) override;
  int64_t Size() override { return int64_t(FSize); }

private:
  const char *FMemory = nullptr;
  size_t FSize = 0;
  size_t FPosition = 0;
};

class EResNotFound : public Exception {
public:
  using Exception::Exception;
};
