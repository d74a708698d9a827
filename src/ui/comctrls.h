#pragma once
// Common controls beyond the standard ones: the progress bar.
#include "ui/controls.h"

enum TProgressBarStyle { pbstNormal, pbstMarquee };

class TProgressBar : public TControl {
public:
  explicit TProgressBar(TComponent *AOwner);

  int Min() const { return FMin; }
  void SetMin(int AValue);
  int Max() const { return FMax; }
  void SetMax(int AValue);
  // Read from the window while it exists.
  int Position();
  void SetPosition(int AValue);
  TProgressBarStyle Style() const { return FStyle; }
  void SetStyle(TProgressBarStyle AValue);
  // Milliseconds between the steps of the marquee.
  int MarqueeInterval() const { return FMarqueeInterval; }
  void SetMarqueeInterval(int AValue);

protected:
  void CreateParams(TCreateParams &AParams) override;
  void InitWnd() override;

private:
  void ApplyRange();
  void ApplyMarquee();
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  TProgressBarStyle FStyle = pbstNormal;
  int FMarqueeInterval = 10;
};
