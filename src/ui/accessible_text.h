#pragma once
// Text that a window paints itself (markup, a caption beside a picture),
// made readable for screen readers and automation tools: a platform static
// text control over the painted area that carries the plain text. It draws
// nothing and lets the mouse through (its window region is empty), so the
// parent's painting and mouse handling stay as they are.
#include "ui/controls.h"

class TAccessibleText : public TControl {
public:
  explicit TAccessibleText(TComponent *AOwner);
  LRESULT WndProc(UINT AMsg, WPARAM AW, LPARAM AL) override;

protected:
  void CreateParams(TCreateParams &AParams) override;
  void InitWnd() override;
};
