#pragma once
// Start and end procedures of the image modules. In a program they run as
// they are added; inside a library the host runs them through Initialize
// and Finalize.
#include <vector>

using TdxUnitProc = void (*)();

class TdxUnitsLoader {
public:
  TdxUnitsLoader() = default;
  // Runs Finalize.
  ~TdxUnitsLoader();
  TdxUnitsLoader(const TdxUnitsLoader &) = delete;
  TdxUnitsLoader &operator=(const TdxUnitsLoader &) = delete;

  void AddUnit(TdxUnitProc AInitializeProc, TdxUnitProc AFinalizeProc);
  // Removes the first registration of AFinalizeProc and runs it.
  void RemoveUnit(TdxUnitProc AFinalizeProc);
  // Runs the deferred start procedures, first to last.
  void Initialize();
  // Runs the end procedures, last to first, once the units are initialised.
  void Finalize();

  const std::vector<TdxUnitProc> &InitializeList() const { return FInitializeList; }
  const std::vector<TdxUnitProc> &FinalizeList() const { return FFinalizeList; }

private:
  std::vector<TdxUnitProc> FInitializeList;
  std::vector<TdxUnitProc> FFinalizeList;
};

// The one loader of the process, made on first use.
TdxUnitsLoader &UnitsLoader();
bool dxUnitsInitialized();
// Whether this code runs inside a dynamically loaded library.
bool dxIsLibrary();

// The core module's end step: destroys the loader (which finalises what is
// left). Inside a library whose host has not finalised, it raises instead.
void dxCoreFinalize();
