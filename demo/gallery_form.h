#pragma once
// The dialog gallery's window: one button per sample, each showing its
// task dialog through the emulated window, and the outcome of the last one.
#include <vector>

#include "ui/forms.h"
#include "ui/stdctrls.h"

class TGalleryForm : public TForm {
public:
  explicit TGalleryForm(TComponent *AOwner);

  std::vector<TButton *> SampleButtons;
  TEdit *EdtResult = nullptr;

private:
  void SampleClick(TComponent *ASender);
};
