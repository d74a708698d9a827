#pragma once
// The graphic base class: something that has a size and draws itself on a
// canvas. Pictures of every kind (bitmaps, icons, images) descend from it.
#include <functional>
#include <string>

#include "base/exception.h"
#include "ui/graphics.h"

class TStream;

// Raised for picture data that cannot be read.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

class TGraphic {
public:
  TGraphic() = default;
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic &) = delete;
  TGraphic &operator=(const TGraphic &) = delete;

  // The name a stored picture value gives for this class; empty for
  // classes that are never stored.
  virtual std::wstring ClassName() const { return {}; }

  virtual void Draw(TCanvas &ACanvas, const TRect &R) = 0;
  virtual bool GetEmpty() const = 0;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual void SetWidth(int AValue) { (void)AValue; }
  virtual void SetHeight(int AValue) { (void)AValue; }
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool AValue);

  // The graphic's own data, from the stream's position to its end.
  virtual void LoadFromStream(TStream &AStream);
  virtual void SaveToStream(TStream &AStream);

  // Copying between graphics: a class takes what it understands, else the
  // source is asked to assign itself; EConvertError when neither can.
  virtual void Assign(TGraphic *ASource);
  virtual void AssignTo(TGraphic *ADest);

  virtual void LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette);
  // Fills the three with a clipboard format and data the caller owns.
  virtual void SaveToClipboardFormat(UINT &AFormat, HANDLE &AData, HPALETTE &APalette);

  bool Empty() const { return GetEmpty(); }
  int Width() const { return GetWidth(); }
  int Height() const { return GetHeight(); }
  bool Transparent() const { return GetTransparent(); }
  bool Modified() const { return FModified; }
  void SetModified(bool AValue) { FModified = AValue; }

  std::function<void(TGraphic *Sender)> OnChange;

protected:
  virtual void Changed();

private:
  bool FTransparent = false;
  bool FModified = false;
};
