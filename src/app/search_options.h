#pragma once
// The search options of the info dialog's "Suche" group: read into a
// search request, checked before the dialog closes, stored in the
// settings file's section "FrmInfo" under the controls' names.
#include "base/inifiles.h"
#include "info/info_form.h"
#include "typo/search_address.h"

typo::TSearchOptions SearchOptionsOf(TFrmInfo &AInfo);

// False when a price field holds no price or "von" is above "bis": the
// user is told which field, and that field gets the focus.
bool CheckSearchPrices(TFrmInfo &AInfo);

// Missing or unknown values give the defaults; a stored price that is not
// one gives no limit.
void ReadSearchOptions(TCustomIniFile &AIni, TFrmInfo &AInfo);
void WriteSearchOptions(TCustomIniFile &AIni, TFrmInfo &AInfo);
