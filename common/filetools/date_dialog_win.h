// The date dialog of both deliverables (108 in the helper, 109 in the
// extension): six fields preset to the local time at opening, checked on OK
// by the deliverable's rules.
#pragma once

#include <windows.h>

#include "common/filetools/file_date.h"

namespace filetools {

struct DateDialogProfile {
    int resource;
    int groups[2]; // date, time
    int fields[6]; // in DateField order
    int help;
    DateRules rules;
    UINT messageStyle; // of the boxes that refuse a field
};
extern const DateDialogProfile kHelperDateDialog;
extern const DateDialogProfile kExtensionDateDialog;

// Shows the dialog until it is cancelled or confirmed with fields that pass
// every check (a refused field is named in a message box and the dialog stays
// open as it was). On OK the stamp is stored, the pending messages are
// dispatched and the result is true; Cancel returns false.
bool runDateDialog(HWND parent, const DateDialogProfile& profile, DosDateTime& stamp);

} // namespace filetools
