#include "ui/picture.h"

#include <algorithm>

#include "base/exception.h"
#include "base/streams.h"
#include "base/strings.h"

namespace {
std::vector<TGraphicClass> &Classes() {
  static std::vector<TGraphicClass> classes;
  return classes;
}

std::vector<TFileFormat> &Formats() {
  static std::vector<TFileFormat> formats;
  return formats;
}

bool SameClass(const TGraphicClass *A, const TGraphicClass &B) {
  return A && SameText(A->ClassName, B.ClassName);
}
} // namespace

void RegisterGraphicClass(const TGraphicClass &AClass) {
  auto &classes = Classes();
  for (TGraphicClass &c : classes)
    if (SameText(c.ClassName, AClass.ClassName)) {
      c = AClass;
      return;
    }
  classes.push_back(AClass);
}

void UnRegisterGraphicClass(const TGraphicClass &AClass) {
  auto &classes = Classes();
  classes.erase(std::remove_if(classes.begin(), classes.end(),
                               [&](const TGraphicClass &c) { return SameClass(&c, AClass); }),
                classes.end());
}

const TGraphicClass *FindGraphicClass(const std::wstring &AClassName) {
  for (const TGraphicClass &c : Classes())
    if (SameText(c.ClassName, AClassName)) return &c;
  return nullptr;
}

// ---- TPicture

TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

TGraphic *TPicture::Graphic() {
  LoadPending();
  return FGraphic.get();
}

int TPicture::Width() {
  TGraphic *graphic = Graphic();
  return graphic ? graphic->Width() : 0;
}

int TPicture::Height() {
  TGraphic *graphic = Graphic();
  return graphic ? graphic->Height() : 0;
}

void TPicture::LoadWhenNeeded(std::function<void(TPicture &)> ALoad) {
  FPendingLoad = std::move(ALoad);
}

void TPicture::LoadPending() {
  if (!FPendingLoad) return;
  std::function<void(TPicture &)> load = std::move(FPendingLoad);
  FPendingLoad = nullptr;
  load(*this);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> AGraphic) {
  FPendingLoad = nullptr;
  FGraphic = std::move(AGraphic);
  if (FGraphic) FGraphic->OnChange = [this](TGraphic *) { Changed(); };
  Changed();
}

void TPicture::ReadStoredValue(TStream &AStream) {
  unsigned char length = 0;
  std::string name;
  if (AStream.Read(&length, 1) == 1) {
    name.resize(length);
    AStream.ReadBuffer(name.data(), length);
  }
  const TGraphicClass *cls = name.empty() ? nullptr : FindGraphicClass(Utf8ToWide(name));
  if (!cls) {
    // An unknown kind of picture shows as none.
    SetGraphic(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> graphic = cls->Create();
  try {
    graphic->LoadFromStream(AStream);
  } catch (...) {
    SetGraphic(nullptr);
    throw;
  }
  SetGraphic(std::move(graphic));
}

void TPicture::WriteStoredValue(TStream &AStream) {
  LoadPending();
  std::string name = FGraphic ? WideToUtf8(FGraphic->ClassName()) : std::string();
  if (FGraphic && (name.empty() || name.size() > 255))
    throw EInvalidOperation(L"Diese Grafik kann nicht gespeichert werden");
  auto length = static_cast<unsigned char>(name.size());
  AStream.WriteBuffer(&length, 1);
  AStream.WriteBuffer(name.data(), name.size());
  if (FGraphic) FGraphic->SaveToStream(AStream);
}

void TPicture::LoadFromStoredResource(const std::wstring &AName, const wchar_t *AType,
                                      HINSTANCE AInstance) {
  TResourceStream stream(AInstance ? AInstance : GetModuleHandleW(nullptr), AName,
                         AType ? AType : RT_RCDATA);
  ReadStoredValue(stream);
}

void TPicture::LoadFromStoredResourceWhenNeeded(const std::wstring &AName, const wchar_t *AType,
                                                HINSTANCE AInstance) {
  // The type may be a resource number rather than a text that must outlive us.
  std::wstring typeName = AType && !IS_INTRESOURCE(AType) ? std::wstring(AType) : std::wstring();
  LoadWhenNeeded([AName, AType, typeName, AInstance](TPicture &APicture) {
    APicture.LoadFromStoredResource(AName, typeName.empty() ? AType : typeName.c_str(), AInstance);
  });
}

void TPicture::RegisterFileFormat(const std::wstring &AExtension, const std::wstring &ADescription,
                                  const TGraphicClass &AClass) {
  Formats().push_back({AExtension, ADescription, AClass});
}

void TPicture::UnregisterGraphicClass(const TGraphicClass &AClass) {
  auto &formats = Formats();
  formats.erase(
      std::remove_if(formats.begin(), formats.end(),
                     [&](const TFileFormat &f) { return SameClass(&f.GraphicClass, AClass); }),
      formats.end());
}

const std::vector<TFileFormat> &TPicture::FileFormats() {
  return Formats();
}

std::wstring TPicture::GraphicFilter() {
  std::wstring filter;
  for (const TFileFormat &f : Formats()) {
    if (!filter.empty()) filter += L"|";
    filter += f.Description + L" (*." + f.Extension + L")|*." + f.Extension;
  }
  return filter;
}
