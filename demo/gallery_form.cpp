#include "gallery_form.h"

#include <algorithm>

#include "gallery_samples.h"
#include "taskdialog/common_buttons.h"

TGalleryForm::TGalleryForm(TComponent *AOwner) : TForm(AOwner) {
  SetName(L"GalleryForm");
  SetCaption(L"Dialog-Galerie");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu | biMinimize);
  SetPosition(poScreenCenter);
  SetClientSize(360, 112);

  int left = 8;
  for (const TGallerySample &sample : GallerySamples()) {
    auto *button = NewControl<TButton>(this, this, sample.Caption, left, 8, 64, 25);
    button->SetCaption(sample.Caption);
    button->OnClick = [this](TComponent *S) { SampleClick(S); };
    SampleButtons.push_back(button);
    left += 69;
  }
  // The button captions fit their text.
  for (TButton *button : SampleButtons)
    button->SetWidth(std::max(64, Canvas().TextWidth(button->Caption()) + 16));
  left = 8;
  for (TButton *button : SampleButtons) {
    button->SetLeft(left);
    left += button->Width() + 5;
  }
  SetClientSize(left + 3, 76);

  EdtResult = NewControl<TEdit>(this, this, L"EdtResult", 8, 44, left - 13, 21);
  EdtResult->SetReadOnly(true);
}

void TGalleryForm::SampleClick(TComponent *ASender) {
  const TGallerySample *sample = FindGallerySample(static_cast<TButton *>(ASender)->Caption());
  if (!sample) return;
  TAdvTaskDialog dialog(this);
  sample->Fill(dialog);
  dialog.SetNonNativeDialog(nndAlways);
  const int result = dialog.Execute();
  EdtResult->SetText(GalleryResultText(result, dialog));
}

TGalleryForm *StartGallery(TApplication &AApp) {
  BindTaskDialogButtonCaptions();
  Application = &AApp;
  AApp.Initialize();
  AApp.SetTitle(L"Dialog-Galerie");
  TGalleryForm *form = nullptr;
  AApp.CreateForm(form);
  return form;
}
