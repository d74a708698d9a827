#pragma once
// Components with owners: a component created with an owner is destroyed by
// it, in reverse order of creation. Deleting an owned component yourself
// takes it out of its owner's list first.
#include <functional>
#include <string>
#include <vector>

class TComponent;
using TNotifyEvent = std::function<void(TComponent *Sender)>;

class TComponent {
public:
  explicit TComponent(TComponent *AOwner);
  virtual ~TComponent();
  TComponent(const TComponent &) = delete;
  TComponent &operator=(const TComponent &) = delete;

  TComponent *Owner() const { return FOwner; }
  const std::wstring &Name() const { return FName; }
  void SetName(std::wstring AName) { FName = std::move(AName); }

  int ComponentCount() const { return int(FComponents.size()); }
  TComponent *Components(int AIndex) const { return FComponents.at(size_t(AIndex)); }
  TComponent *FindComponent(const std::wstring &AName) const;
  // A number for the component's user; the framework never reads it.
  int Tag() const { return FTag; }
  void SetTag(int AValue) { FTag = AValue; }

  // True while a form designer hosts the component; never in this program.
  bool Designing() const { return false; }

protected:
  // Destroys the owned components, last created first.
  void DestroyComponents();

private:
  TComponent *FOwner;
  std::wstring FName;
  int FTag = 0;
  std::vector<TComponent *> FComponents;
};
