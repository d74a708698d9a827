#include "gdiplus/units_loader.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "base/exception.h"

namespace {
std::unique_ptr<TdxUnitsLoader> FLoader;
bool FUnitsInitialized = false;
} // namespace

bool dxUnitsInitialized() {
  return FUnitsInitialized;
}

bool dxIsLibrary() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&dxIsLibrary), &self);
  return self && self != GetModuleHandleW(nullptr);
}

TdxUnitsLoader &UnitsLoader() {
  if (!FLoader) FLoader = std::make_unique<TdxUnitsLoader>();
  return *FLoader;
}

TdxUnitsLoader::~TdxUnitsLoader() {
  Finalize();
}

void TdxUnitsLoader::AddUnit(TdxUnitProc AInitializeProc, TdxUnitProc AFinalizeProc) {
  if (AInitializeProc) {
    if (dxIsLibrary()) {
      FInitializeList.push_back(AInitializeProc);
    } else {
      FUnitsInitialized = true;
      AInitializeProc();
    }
  }
  if (AFinalizeProc) FFinalizeList.push_back(AFinalizeProc);
}

void TdxUnitsLoader::RemoveUnit(TdxUnitProc AFinalizeProc) {
  auto it = std::find(FFinalizeList.begin(), FFinalizeList.end(), AFinalizeProc);
  if (it == FFinalizeList.end()) return;
  FFinalizeList.erase(it);
  if (AFinalizeProc) AFinalizeProc();
}

void TdxUnitsLoader::Initialize() {
  std::vector<TdxUnitProc> procs = FInitializeList;
  for (TdxUnitProc proc : procs)
    if (proc) proc();
  FInitializeList.clear();
  FUnitsInitialized = true;
}

void TdxUnitsLoader::Finalize() {
  if (FUnitsInitialized) {
    std::vector<TdxUnitProc> procs = FFinalizeList;
    for (auto it = procs.rbegin(); it != procs.rend(); ++it)
      if (*it) (*it)();
  }
  FUnitsInitialized = false;
  FFinalizeList.clear();
}

void dxCoreFinalize() {
  if (dxIsLibrary() && FLoader && !FLoader->FinalizeList().empty())
    throw Exception(L"Need call dxFinalize before free library!");
  FLoader.reset();
}
