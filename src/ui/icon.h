#pragma once
// An icon as a graphic: owns its icon handle.
#include "ui/graphic.h"
#include "ui/handles.h"

class TIcon : public TGraphic {
public:
  TIcon() = default;

  HICON Handle() const { return FHandle.Get(); }
  // Takes ownership of AIcon.
  void SetHandle(HICON AIcon);
  // Takes a copy of the source's icon.
  void Assign(const TIcon &ASource);
  // Loads a named icon resource of the program at its natural size, or
  // the image of it nearest ASize pixels square.
  void LoadFromResourceName(HINSTANCE AInstance, const std::wstring &AName, int ASize = 0);
  HICON ReleaseHandle();

  void Draw(TCanvas &ACanvas, const TRect &R) override;
  bool GetEmpty() const override { return !FHandle; }
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }

private:
  void MeasureSize();
  TIconHandle FHandle;
  int FWidth = 0, FHeight = 0;
};
