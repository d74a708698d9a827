#pragma once
// Pictures that markup names by address ("RES://name", "FILE://path"):
// the encoded bytes as loaded, decoded by the platform's OLE picture
// loader, with enough understanding of GIF files to show any one frame of
// an animation and to step through it.
#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/streams.h"
#include "markup/gif_frames.h"
#include "ui/graphic.h"

class THTMLPicture;

// Raised when picture data cannot be decoded.
class EHTMLPictureError : public Exception {
public:
  using Exception::Exception;
};

using TDownloadErrorEvent = std::function<void(THTMLPicture *Sender, const std::wstring &err)>;
using TDownloadCompleteEvent = std::function<void(THTMLPicture *Sender)>;
using TDownloadCancelEvent = std::function<void(THTMLPicture *Sender, bool &Cancel)>;
using TDownloadProgressEvent =
    std::function<void(THTMLPicture *Sender, uint32_t dwSize, uint32_t dwTotSize)>;

class THTMLPicture : public TGraphic {
public:
  THTMLPicture();
  ~THTMLPicture() override;

  std::wstring ClassName() const override { return L"THTMLPicture"; }

  // Another THTMLPicture gives its data, stretch, frame and identifier and
  // is decoded; null or any other graphic leaves this picture empty.
  void Assign(TGraphic *ASource) override;

  // Any failure leaves the picture empty, without an error.
  void LoadFromFile(const std::wstring &AFileName);
  // From the stream's position to its end; decoding errors reach the caller
  // and leave the picture empty.
  void LoadFromStream(TStream &AStream) override;
  // The data as it was loaded.
  void SaveToStream(TStream &AStream) override;
  // A raw-data resource of the module; nothing when there is none.
  void LoadFromResourceName(HINSTANCE AInstance, const std::wstring &AResName);
  // A raw-data resource by number; EResNotFound when there is none.
  void LoadFromResourceID(HINSTANCE AInstance, int AResID);
  // "RES://name" (a resource of the program) and "FILE://path", the prefix
  // in any letter case; the address becomes the ID. Other addresses fetch
  // nothing, also with Asynch, and leave the picture empty.
  void LoadFromURL(const std::wstring &AUrl);
  void LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette) override;
  void SaveToClipboardFormat(UINT &AFormat, HANDLE &AData, HPALETTE &APalette) override;

  // Stored in window descriptions: the raw bytes, read back without a
  // change notification.
  void ReadData(TStream &AStream);
  void WriteData(TStream &AStream);

  // Natural size by the canvas's resolution at R's top-left corner, or
  // scaled into R when stretched; nothing when empty.
  void Draw(TCanvas &ACanvas, const TRect &R) override;
  bool GetEmpty() const override { return FIsEmpty; }
  // The decoded size in pixels at 96 dots per inch; 0 without a picture.
  int GetWidth() const override;
  int GetHeight() const override;

  // The animation's screen size, else the decoded size; 0 without a picture.
  int GetMaxWidth();
  int GetMaxHeight();
  int MaxWidth() { return GetMaxWidth(); }
  int MaxHeight() { return GetMaxHeight(); }

  // Selects a GIF frame (1-based) and decodes it when there is a picture;
  // a frame that does not decode raises the error and the one shown stays.
  void SetFrame(int AValue);
  int Frame() const { return FFrame; }
  // The next or previous frame, wrapping round; neither decodes.
  void FrameNext();
  void FramePrev();
  // One tick (a tenth of a second) of the animation clock; true when it
  // moved to another frame. A frame that does not decode is passed over.
  bool Step();

  bool Stretch() const { return FStretched; }
  void SetStretch(bool AValue) { FStretched = AValue; }
  bool Busy() const { return FThreadBusy; }
  bool Asynch() const { return FAsynch; }
  void SetAsynch(bool AValue) { FAsynch = AValue; }
  const std::wstring &ID() const { return FID; }
  void SetID(const std::wstring &AValue) { FID = AValue; }

  bool IsGIF() const;
  // Frames of a GIF; -1 for other data.
  int FrameCount();
  // Left and top of the selected frame inside the animation.
  uint16_t FrameXPos() const { return FFrameXPos; }
  uint16_t FrameYPos() const { return FFrameYPos; }

  std::function<void(THTMLPicture *Sender)> OnFrameChange;
  // Declared for callers that expect them; addresses are never fetched, so
  // nothing raises them.
  TDownloadErrorEvent OnDownLoadError;
  TDownloadCompleteEvent OnDownLoadComplete;
  TDownloadCancelEvent OnDownLoadCancel;
  TDownloadProgressEvent OnDownLoadProgress;

private:
  // Decodes the selected frame; on failure the picture shown so far stays.
  void DecodeData();
  // New data, decoded at a frame; undecodable data leaves the picture
  // empty and raises the error.
  void LoadData(std::string ABytes, int AFrame = 1);
  // New bytes: what was counted or decoded from the old ones is forgotten.
  void SetData(std::string ABytes);
  const std::vector<TGifFrameStart> &Frames();
  // Delay of frame AIndex (1-based) in hundredths of a second; -1 when
  // there is no such frame.
  int FrameDelay(int AIndex);
  void ReleasePicture();

  TMemoryStream FDatastream;
  bool FIsEmpty = true;
  bool FStretched = false;
  Microsoft::WRL::ComPtr<IPicture> gpPicture;
  std::wstring FID;
  bool FAsynch = true;
  bool FThreadBusy = false;
  int FFrame = 1;
  int FFrameCount = -1;
  uint16_t FFrameXPos = 0, FFrameYPos = 0;
  uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
  int FNextCount = -1;
  int FTimerCount = -1;
  std::vector<TGifFrameStart> FFrames;
  bool FFramesFound = false;
};

// The worker for loading an address in the background. No address is
// fetched from the network, so there is never work for it: Create starts
// no thread and leaves the picture as it is.
class TDownLoadThread {
public:
  static void Create(THTMLPicture *aHTMLPicture);
  THTMLPicture *HTMLPicture;

private:
  explicit TDownLoadThread(THTMLPicture *aHTMLPicture) : HTMLPicture(aHTMLPicture) {}
};

// The pictures a markup caller keeps by address, owned with the list.
using TPictureCache = std::vector<std::unique_ptr<THTMLPicture>>;

// A new empty picture appended to the list.
THTMLPicture *PictureCacheAdd(TPictureCache &AList);
// The first picture whose ID equals the address exactly; null when none.
THTMLPicture *PictureCacheFind(const TPictureCache &AList, const std::wstring &AAddress);
// The picture at a 0-based index; null outside the list.
THTMLPicture *PictureCacheItem(const TPictureCache &AList, int AIndex);
