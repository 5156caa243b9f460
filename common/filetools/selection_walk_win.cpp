// The helper's walks: the selection list read line by line, each entry
// expanded with the progress window showing or into the result dialog.
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

bool filteredWalkList(ResultDialog& dialog, const std::string& listPath, const ResultAction& action) {
    SelectionListReader reader;
    if (!openSelectionList(reader, listPath))
        return false;
    std::string line;
    while (reader.nextLine(line))
        if (walkPathFiltered(dialog, action, line) == 1)
            break;
    return true;
}

} // namespace filetools
