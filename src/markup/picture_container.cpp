#include "markup/picture_container.h"
#include "base/handles.h"
#include "base/strings.h"

#include <objbase.h>

#include <cstring>

using Microsoft::WRL::ComPtr;

namespace {
// Hundredths of a millimetre to pixels at a resolution.
int HimetricToPixels(long AHimetric, int ADotsPerInch) {
  return MulDiv(int(AHimetric), ADotsPerInch, 2540);
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
  TKernelHandle owned(file);
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
  uint16_t frameX = 0, frameY = 0, maxX = 0, maxY = 0;
  std::string selected;
  const std::string *bytes = &data;
  if (IsGIF() && FrameCount() > 0) {
    maxX = GifScreenWidth(data);
    maxY = GifScreenHeight(data);
    const std::vector<TGifFrameStart> &frames = Frames();
    if (FFrame >= 1 && size_t(FFrame) <= frames.size()) {
      frameX = frames[size_t(FFrame) - 1].Left;
      frameY = frames[size_t(FFrame) - 1].Top;
    }
    // The loader shows a GIF's first image: hand it the header and the
    // chosen frame onward.
    selected = GifFromFrame(data, frames, FFrame);
    bytes = &selected;
  }

  TGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes->size()));
  if (!block) throw EHTMLPictureError(L"Could not allocate memory for image");
  {
    TGlobalLock lock(block.Get());
    if (lock.Memory()) std::memcpy(lock.Memory(), bytes->data(), bytes->size());
  }
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, &stream)))
    throw EHTMLPictureError(L"Could not create image stream");
  // The stream frees the block when it goes.
  block.Release();
  if (!stream) throw EHTMLPictureError(L"Empty image stream created");

  // The picture shown so far stays until the new one has decoded.
  ComPtr<IPicture> picture;
  HRESULT hr = OleLoadPicture(stream.Get(), LONG(bytes->size()), FALSE, IID_IPicture,
                              reinterpret_cast<void **>(picture.GetAddressOf()));
  if (FAILED(hr)) throw EHTMLPictureError(L"Could not load image. Invalid format");
  if (!picture) throw EHTMLPictureError(L"Could not load image");
  gpPicture = picture;
  FFrameXPos = frameX;
  FFrameYPos = frameY;
  FAnimMaxX = maxX;
  FAnimMaxY = maxY;
}

void THTMLPicture::LoadData(std::string ABytes, int AFrame) {
  SetData(std::move(ABytes));
  FFrame = AFrame;
  try {
    DecodeData();
  } catch (...) {
    // Undecodable data holds no picture, so nothing is drawn or stepped;
    // the bytes stay as they were given.
    FIsEmpty = true;
    ReleasePicture();
    FFrameXPos = FFrameYPos = FAnimMaxX = FAnimMaxY = 0;
    throw;
  }
  FIsEmpty = false;
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
  FID = source->FID;
  LoadData(source->FDatastream.Bytes(), source->FFrame);
  Changed();
}

void THTMLPicture::LoadFromFile(const std::wstring &AFileName) {
  try {
    LoadData(ReadWholeFile(AFileName));
    Changed();
  } catch (const std::exception &) {
    FIsEmpty = true;
    ReleasePicture();
  }
}

void THTMLPicture::LoadFromStream(TStream &AStream) {
  LoadData(RestOf(AStream));
  Changed();
}

void THTMLPicture::SaveToStream(TStream &AStream) {
  const std::string &bytes = FDatastream.Bytes();
  AStream.WriteBuffer(bytes.data(), bytes.size());
}

void THTMLPicture::ReadData(TStream &AStream) {
  LoadData(RestOf(AStream));
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
  const std::wstring upper = UpperCase(AUrl);
  if (StartsWith(upper, L"RES://")) {
    FID = AUrl;
    if (AUrl.size() > 6) LoadFromResourceName(GetModuleHandleW(nullptr), AUrl.substr(6));
  } else if (StartsWith(upper, L"FILE://")) {
    FID = AUrl;
    if (AUrl.size() > 7) LoadFromFile(AUrl.substr(7));
  } else {
    // Nothing is fetched from the network, in the background or not: the
    // picture stays empty and is never busy.
    FID = AUrl;
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
  const int old = FFrame;
  FFrame = AValue;
  if (FIsEmpty) return;
  try {
    DecodeData();
  } catch (const std::exception &) {
    // The frame shown so far stays selected.
    FFrame = old;
    throw;
  }
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
  FNextCount += FrameDelay(FFrame);
  try {
    DecodeData();
  } catch (const std::exception &) {
    // The clock goes on; the last frame that decoded stays on show.
    return false;
  }
  return true;
}

// ---- TDownLoadThread

// A thread would have nothing to do: no address is fetched.
void TDownLoadThread::Create(THTMLPicture *aHTMLPicture) {
  (void)aHTMLPicture;
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
