#pragma once
// The picture container and the registries behind it: the class registry
// that creates a graphic by its stored class name, and the list of graphic
// file formats.
#include <memory>
#include <string>
#include <vector>

#include "ui/graphic.h"

class TStream;

// A graphic class as the registries know it: its name and how to make one.
struct TGraphicClass {
  std::wstring ClassName;
  std::unique_ptr<TGraphic> (*Create)();
};

template <class T> std::unique_ptr<TGraphic> CreateGraphicOf() {
  return std::make_unique<T>();
}

// Class registry: lookup by name for stored objects. Registering a name
// again replaces its entry.
void RegisterGraphicClass(const TGraphicClass &AClass);
void UnRegisterGraphicClass(const TGraphicClass &AClass);
// Null when no class of that name (ignoring case) is registered.
const TGraphicClass *FindGraphicClass(const std::wstring &AClassName);

struct TFileFormat {
  std::wstring Extension; // without "*.", may hold several joined by ";*."
  std::wstring Description;
  TGraphicClass GraphicClass;
};

class TPicture {
public:
  TPicture() = default;
  ~TPicture();
  TPicture(const TPicture &) = delete;
  TPicture &operator=(const TPicture &) = delete;

  // Asking for the graphic or its size first runs a waiting loader.
  TGraphic *Graphic();
  // Takes ownership; null empties the picture. A waiting loader is dropped.
  void SetGraphic(std::unique_ptr<TGraphic> AGraphic);
  int Width();
  int Height();

  // Lets the picture wait with its loading until it is first needed: ALoad
  // fills it when the graphic, its size or its stored value is asked for,
  // or when LoadPending is called. A picture nobody shows yet costs nothing
  // at start-up that way.
  void LoadWhenNeeded(std::function<void(TPicture &)> ALoad);
  bool Pending() const { return bool(FPendingLoad); }
  // Runs a waiting loader now. It runs once: after a failure, which
  // propagates, the picture stays empty.
  void LoadPending();

  // A stored picture value: one length byte N, the class name in N bytes,
  // then the graphic's own data to the end of the stream. An unregistered
  // class name leaves the picture empty; failures of the graphic's reader
  // propagate and leave the picture empty too.
  void ReadStoredValue(TStream &AStream);
  void WriteStoredValue(TStream &AStream);
  // ReadStoredValue from a resource of the program (RT_RCDATA unless told).
  void LoadFromStoredResource(const std::wstring &AName, const wchar_t *AType = nullptr,
                              HINSTANCE AInstance = nullptr);
  // The same, once the picture is first needed (see LoadWhenNeeded).
  void LoadFromStoredResourceWhenNeeded(const std::wstring &AName, const wchar_t *AType = nullptr,
                                        HINSTANCE AInstance = nullptr);

  // Graphic file formats.
  static void RegisterFileFormat(const std::wstring &AExtension, const std::wstring &ADescription,
                                 const TGraphicClass &AClass);
  static void UnregisterGraphicClass(const TGraphicClass &AClass);
  static const std::vector<TFileFormat> &FileFormats();
  // "Description (*.EXT)|*.EXT|..." for file dialogs.
  static std::wstring GraphicFilter();

  std::function<void(TPicture *Sender)> OnChange;

private:
  void Changed();
  std::unique_ptr<TGraphic> FGraphic;
  std::function<void(TPicture &)> FPendingLoad;
};
