// The equal-file detection in the result dialog (mode 1), over the file
// table the collecting walk filled.
#pragma once

#include "common/filetools/result_dialog_win.h"

namespace filetools {

// Lists every name that occurs more than once with the same size, each
// occurrence with its date, attributes and size; empties the file table.
void compareEqualFiles(ResultDialog& dialog);

} // namespace filetools
