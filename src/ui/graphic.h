#pragma once
// The graphic base class: something that has a size and draws itself on a
// canvas. Pictures of every kind (bitmaps, icons, images) descend from it.
#include <functional>

#include "ui/graphics.h"

class TGraphic {
public:
  TGraphic() = default;
  virtual ~TGraphic() = default;
  TGraphic(const TGraphic &) = delete;
  TGraphic &operator=(const TGraphic &) = delete;

  virtual void Draw(TCanvas &ACanvas, const TRect &R) = 0;
  virtual bool GetEmpty() const = 0;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool AValue);

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
