#include "ui/graphic.h"

#include "base/exception.h"

namespace {
std::wstring NameOf(const TGraphic *AGraphic) {
  if (!AGraphic) return L"nil";
  std::wstring name = AGraphic->ClassName();
  return name.empty() ? L"TGraphic" : name;
}
} // namespace

void TGraphic::SetTransparent(bool AValue) {
  if (AValue == FTransparent) return;
  FTransparent = AValue;
  Changed();
}

void TGraphic::Changed() {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromStream(TStream &) {
  throw EInvalidOperation(NameOf(this) + L" kann nicht aus einem Stream gelesen werden");
}

void TGraphic::SaveToStream(TStream &) {
  throw EInvalidOperation(NameOf(this) + L" kann nicht in einen Stream geschrieben werden");
}

void TGraphic::Assign(TGraphic *ASource) {
  if (ASource && ASource != this) {
    ASource->AssignTo(this);
    return;
  }
  if (!ASource) throw EConvertError(L"nil kann nicht zu " + NameOf(this) + L" zugewiesen werden");
}

void TGraphic::AssignTo(TGraphic *ADest) {
  throw EConvertError(NameOf(this) + L" kann nicht zu " + NameOf(ADest) + L" zugewiesen werden");
}

void TGraphic::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {
  throw EInvalidOperation(L"Nicht unterstütztes Zwischenablageformat");
}

void TGraphic::SaveToClipboardFormat(UINT &, HANDLE &, HPALETTE &) {
  throw EInvalidOperation(NameOf(this) + L" kann nicht in die Zwischenablage kopiert werden");
}
