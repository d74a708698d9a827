#pragma once
// The dialog gallery's window: one button per sample, each showing its
// task dialog through the emulated window, and the outcome of the last one.
#include <vector>

#include "ui/application.h"
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

// The application as the gallery runs it: the dialogs' German button
// captions bound, its title set, its window made (not yet shown).
TGalleryForm *StartGallery(TApplication &AApp);
