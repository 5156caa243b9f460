// The tools' common start on the selection list.
#include "common/filetools/selection_list_win.h"

#include <windows.h>

#include "common/win/plain_message.h"

namespace filetools {

bool openSelectionList(SelectionListReader& reader, const std::string& path) {
    if (reader.open(path))
        return true;
    showMessage(nullptr, "Error: Open (tmp)", MB_OK);
    return false;
}

} // namespace filetools
