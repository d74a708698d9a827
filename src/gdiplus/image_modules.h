#pragma once
// Start and end steps of the image modules, in their order: the core
// module (units loader), the GDI+ binding, the GDI+ picture classes.
void dxCoreModuleStart();
void dxCoreModuleStop();
void dxGDIPlusAPIModuleStart();
void dxGDIPlusAPIModuleStop();
void dxGDIPlusClassesModuleStart();
void dxGDIPlusClassesModuleStop();
