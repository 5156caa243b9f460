// The extension's file-name search: no attribute filter, every file reaches
// the name test.
#include "extension/name_search_command_win.h"

#include "common/filetools/name_search_win.h"
#include "common/filetools/search_prompt_win.h"
#include "extension/drive_choice_win.h"
#include "extension/file_search_win.h"

namespace ext {

void runNameSearchCommand(HWND fileManager) {
    using namespace filetools;
    const PromptRequest request{PromptKind::Extension, 15034, 15011, {}, {}};
    if (!promptForSearch(fileManager, request))
        return;
    if (offerDriveChoice(fileManager, 15034) == DriveChoice::Cancel)
        return;
    ResultDialog dialog(kExtensionResult, ResultMode::NameSearch, searchState().searchText,
                        [&](ResultDialog& d) { resultWalk(fileManager, d, matchFileName); });
    dialog.run(fileManager);
}

} // namespace ext
