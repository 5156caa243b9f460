// The helper's plain walk: the selection list read line by line, each entry
// expanded with the progress window showing.
#include "common/filetools/selection_walk_win.h"

#include "common/filetools/selection_list_win.h"

namespace filetools {

bool selectionWalkList(const std::string& listPath, const FileVisit& action) {
    SelectionListReader reader;
    if (!openSelectionList(reader, listPath))
        return false;
    SelectionWalker walker(kHelperProgress);
    std::string line;
    while (reader.nextLine(line)) {
        walker.walk(line, action);
        if (selectionCancel().set)
            break;
    }
    return true;
}

} // namespace filetools
