#pragma once
// A form's position, size and state in its own section of a settings file
// (the section is the form's name).
#include "base/inifiles.h"
#include "ui/forms.h"

// Keeps the form on the monitors' work areas. A stored minimised state is
// not restored; the size is read only for sizeable frames.
void LoadFormPlacement(TForm &AForm, TCustomIniFile &AIniFile);
// Writes the state, and position and size only in normal state, so that a
// minimised or maximised window keeps its last normal placement.
void SaveFormPlacement(TForm &AForm, TCustomIniFile &AIniFile);
