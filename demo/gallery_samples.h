#pragma once
// The dialog gallery's samples: one task dialog each, filled here so that
// the gallery and the benchmark show the very same dialogs.
#include <string>
#include <vector>

#include "taskdialog/task_dialog.h"

struct TGallerySample {
  const wchar_t *Caption; // the gallery button's caption
  void (*Fill)(TAdvTaskDialog &ADialog);
};

// "Links", "Befehlslinks", "Details", "Fortschritt", "Langer Text".
const std::vector<TGallerySample> &GallerySamples();
const TGallerySample *FindGallerySample(const std::wstring &ACaption);

// What the gallery shows after a dialog: "Ergebnis: R; Radio: A;
// Bestätigt: V".
std::wstring GalleryResultText(int AResult, const TAdvTaskDialog &ADialog);
