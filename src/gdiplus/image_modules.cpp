#include "gdiplus/image_modules.h"

#include "gdiplus/gdiplus_api.h"
#include "gdiplus/gp_image.h"
#include "gdiplus/units_loader.h"

// The loader is made when the first module adds itself.
void dxCoreModuleStart() {}

void dxCoreModuleStop() {
  dxCoreFinalize();
}

void dxGDIPlusAPIModuleStart() {
  UnitsLoader().AddUnit(GdiPlusAPIInitialize, GdiPlusAPIFinalize);
}

void dxGDIPlusAPIModuleStop() {
  UnitsLoader().RemoveUnit(GdiPlusAPIFinalize);
}

void dxGDIPlusClassesModuleStart() {
  UnitsLoader().AddUnit(GdiPlusClassesInitialize, GdiPlusClassesFinalize);
}

void dxGDIPlusClassesModuleStop() {
  UnitsLoader().RemoveUnit(GdiPlusClassesFinalize);
}
