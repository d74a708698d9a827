#include "markup/picture_container.h"

#include <objbase.h>

#include <cstring>

using Microsoft::WRL::ComPtr;

namespace {
// Hundredths of a millimetre to pixels at a resolution.
int HimetricToPixels(long AHimetric, int ADotsPerInch) {
  return MulDiv(int(AHimetric), ADotsPerInch, 2540);
}

std::wstring Upper(std::wstring AText) {
  if (!AText.empty()) CharUpperBuffW(AText.data(), DWORD(AText.size()));
  return AText;
}

bool StartsWith(const std::wstring &AText, const std::wstring &APrefix) {
  return AText.compare(0, APrefix.size(), APrefix) == 0;
}

std::string RestOf(TStream &AStream) {
  int64_t left = AStream.Size() - AStream.Position();
  std::string bytes(size_t(left > 0 ? left : 0), '\0');
  AStream.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

// The whole file, or an EOSError.
std::string ReadWholeFile(const std::wstring &AFileName) {
  HANDLE file = CreateFileW(AFileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) RaiseLastOSError();
  struct TClose {
    HANDLE H;
    ~TClose() { CloseHandle(H); }
  } close{file};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) RaiseLastOSError();
  if (size.QuadPart > 0x7FFFFFFF) throw EHTMLPictureError(L"Could not load image");
  std::string bytes(size_t(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + done, DWORD(bytes.size() - done), &read, nullptr))
      RaiseLastOSError();
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}
} // namespace

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::ReleasePicture() { gpPicture.Reset(); }

void THTMLPicture::SetData(std::string ABytes) {
  FDatastream.Clear();
  FDatastream.WriteBuffer(ABytes.data(), ABytes.size());
  FDatastream.SetPosition(0);
  FFrames.clear();
  FFramesFound = false;
  FFrameCount = -1;
  FNextCount = -1;
  FTimerCount = -1;
}

const std::vector<TGifFrameStart> &THTMLPicture::Frames() {
  if (!FFramesFound) {
    FFrames = FindGifFrames(FDatastream.Bytes());
    FFramesFound = true;
  }
  return FFrames;
}

bool THTMLPicture::IsGIF() const { return IsGifData(FDatastream.Bytes()); }

int THTMLPicture::FrameCount() {
  if (FFrameCount != -1) return FFrameCount;
  if (!IsGIF()) return -1;
  FFrameCount = int(Frames().size());
  return FFrameCount;
}

int THTMLPicture::FrameDelay(int AIndex) {
  if (!IsGIF()) return -1;
  const std::vector<TGifFrameStart> &frames = Frames();
  if (AIndex < 1 || size_t(AIndex) > frames.size()) return -1;
  return frames[size_t(AIndex) - 1].Delay;
}

void THTMLPicture::DecodeData() {
  const std::string &data = FDatastream.Bytes();
  FFrameXPos = FFrameYPos = 0;
  FAnimMaxX = FAnimMaxY = 0;
  std::string selected;
  const std::string *bytes = &data;
  if (IsGIF() && FrameCount() > 0) {
    FAnimMaxX = GifScreenWidth(data);
    FAnimMaxY = GifScreenHeight(data);
    const std::vector<TGifFrameStart> &frames = Frames();
    if (FFrame >= 1 && size_t(FFrame) <= frames.size()) {
      FFrameXPos = frames[size_t(FFrame) - 1].Left;
      FFrameYPos = frames[size_t(FFrame) - 1].Top;
    }
    // The loader shows a GIF's first image: hand it the header and the
    // chosen frame onward.
    selected = GifFromFrame(data, frames, FFrame);
    bytes = &selected;
  }

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
  if (!block) throw EHTMLPictureError(L"Could not allocate memory for image");
  if (void *memory = GlobalLock(block)) {
    std::memcpy(memory, bytes->data(), bytes->size());
    GlobalUnlock(block);
  }
  ComPtr<IStream> stream;
  // The stream frees the block when it goes.
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    throw EHTMLPictureError(L"Could not create image stream");
  }
  if (!stream) throw EHTMLPictureError(L"Empty image stream created");

  ReleasePicture();
  ComPtr<IPicture> picture;
  HRESULT hr = OleLoadPicture(stream.Get(), LONG(bytes->size()), FALSE, IID_IPicture,
                              reinterpret_cast<void **>(picture.GetAddressOf()));
  if (FAILED(hr)) throw EHTMLPictureError(L"Could not load image. Invalid format");
  if (!picture) throw EHTMLPictureError(L"Could not load image");
  gpPicture = picture;
}

void THTMLPicture::Assign(TGraphic *ASource) {
  FIsEmpty = true;
  ReleasePicture();
  FFrameCount = FNextCount = FTimerCount = -1;
  SetFrame(1);
  auto *source = dynamic_cast<THTMLPicture *>(ASource);
  if (!source) {
    SetData({});
    return;
  }
  FStretched = source->FStretched;
  FFrame = source->FFrame;
  FID = source->FID;
  SetData(source->FDatastream.Bytes());
  FIsEmpty = false;
  DecodeData();
  Changed();
}

void THTMLPicture::LoadFromFile(const std::wstring &AFileName) {
  try {
    SetData(ReadWholeFile(AFileName));
    FFrame = 1;
    FIsEmpty = false;
    DecodeData();
    Changed();
  } catch (const std::exception &) {
    FIsEmpty = true;
    ReleasePicture();
  }
}

void THTMLPicture::LoadFromStream(TStream &AStream) {
  SetData(RestOf(AStream));
  FFrame = 1;
  FIsEmpty = false;
  DecodeData();
  Changed();
}

void THTMLPicture::SaveToStream(TStream &AStream) {
  const std::string &bytes = FDatastream.Bytes();
  AStream.WriteBuffer(bytes.data(), bytes.size());
}

void THTMLPicture::ReadData(TStream &AStream) {
  SetData(RestOf(AStream));
  FFrame = 1;
  FIsEmpty = false;
  DecodeData();
}

void THTMLPicture::WriteData(TStream &AStream) { SaveToStream(AStream); }

void THTMLPicture::LoadFromResourceName(HINSTANCE AInstance, const std::wstring &AResName) {
  if (AResName.empty() || !FindResourceW(AInstance, AResName.c_str(), RT_RCDATA)) return;
  TResourceStream stream(AInstance, AResName, RT_RCDATA);
  LoadFromStream(stream);
}

void THTMLPicture::LoadFromResourceID(HINSTANCE AInstance, int AResID) {
  // "#n" names resource number n.
  TResourceStream stream(AInstance, L"#" + std::to_wstring(AResID), RT_RCDATA);
  LoadFromStream(stream);
}

void THTMLPicture::LoadFromURL(const std::wstring &AUrl) {
  const std::wstring upper = Upper(AUrl);
  if (StartsWith(upper, L"RES://")) {
    FID = AUrl;
    if (AUrl.size() > 6) LoadFromResourceName(GetModuleHandleW(nullptr), AUrl.substr(6));
  } else if (StartsWith(upper, L"FILE://")) {
    FID = AUrl;
    if (AUrl.size() > 7) LoadFromFile(AUrl.substr(7));
  } else if (!FAsynch) {
    // Dialog texts never reach the network: the picture stays empty.
    FID = AUrl;
  } else if (!FThreadBusy) {
    FThreadBusy = true;
    TDownLoadThread::Create(this);
  }
}

void THTMLPicture::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {}

void THTMLPicture::SaveToClipboardFormat(UINT &AFormat, HANDLE &AData, HPALETTE &APalette) {
  AFormat = 0;
  AData = nullptr;
  APalette = nullptr;
}

int THTMLPicture::GetWidth() const {
  OLE_XSIZE_HIMETRIC width = 0;
  if (!gpPicture || FAILED(gpPicture->get_Width(&width))) return 0;
  return HimetricToPixels(width, 96);
}

int THTMLPicture::GetHeight() const {
  OLE_YSIZE_HIMETRIC height = 0;
  if (!gpPicture || FAILED(gpPicture->get_Height(&height))) return 0;
  return HimetricToPixels(height, 96);
}

int THTMLPicture::GetMaxWidth() {
  if (!gpPicture) return 0;
  return FAnimMaxX ? FAnimMaxX : GetWidth();
}

int THTMLPicture::GetMaxHeight() {
  if (!gpPicture) return 0;
  return FAnimMaxY ? FAnimMaxY : GetHeight();
}

void THTMLPicture::Draw(TCanvas &ACanvas, const TRect &R) {
  if (FIsEmpty || !gpPicture) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  gpPicture->get_Width(&width);
  gpPicture->get_Height(&height);
  HDC dc = ACanvas.Handle();
  int cx = R.Width(), cy = R.Height();
  if (!FStretched) {
    cx = HimetricToPixels(width, GetDeviceCaps(dc, LOGPIXELSX));
    cy = HimetricToPixels(height, GetDeviceCaps(dc, LOGPIXELSY));
  }
  // The source runs bottom-up in hundredths of a millimetre.
  gpPicture->Render(dc, R.left, R.top, cx, cy, 0, height, width, -height, nullptr);
}

void THTMLPicture::SetFrame(int AValue) {
  FFrame = AValue;
  if (FIsEmpty) return;
  DecodeData();
  if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext() { FFrame = FFrame < FrameCount() ? FFrame + 1 : 1; }

void THTMLPicture::FramePrev() {
  if (FFrame >= 2)
    --FFrame;
  else
    FFrame = FrameCount() > 0 ? FrameCount() : 1;
}

bool THTMLPicture::Step() {
  if (FrameCount() < 2 || FIsEmpty) return false;
  if (FNextCount == -1) FNextCount = FrameDelay(FFrame);
  bool due = int64_t(FTimerCount) * 10 >= FNextCount;
  ++FTimerCount;
  if (!due) return false;
  FrameNext();
  DecodeData();
  FNextCount += FrameDelay(FFrame);
  return true;
}

// ---- TDownLoadThread

void TDownLoadThread::Create(THTMLPicture *aHTMLPicture) {
  auto *worker = new TDownLoadThread(aHTMLPicture);
  HANDLE thread = CreateThread(nullptr, 0, &TDownLoadThread::Run, worker, 0, nullptr);
  if (thread)
    CloseHandle(thread);
  else
    delete worker;
}

DWORD WINAPI TDownLoadThread::Run(void *AWorker) {
  auto *worker = static_cast<TDownLoadThread *>(AWorker);
  worker->Execute();
  delete worker;
  return 0;
}

// ---- cache

THTMLPicture *PictureCacheAdd(TPictureCache &AList) {
  AList.push_back(std::make_unique<THTMLPicture>());
  return AList.back().get();
}

THTMLPicture *PictureCacheFind(const TPictureCache &AList, const std::wstring &AAddress) {
  for (const auto &picture : AList)
    if (picture && picture->ID() == AAddress) return picture.get();
  return nullptr;
}

THTMLPicture *PictureCacheItem(const TPictureCache &AList, int AIndex) {
  if (AIndex < 0 || size_t(AIndex) >= AList.size()) return nullptr;
  return AList[size_t(AIndex)].get();
}
