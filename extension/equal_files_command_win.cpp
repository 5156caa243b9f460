// The extension's equal files: offered the drives at once, no prompt.
#include "extension/equal_files_command_win.h"

#include "common/filetools/content_search_win.h"
#include "common/filetools/equal_files_win.h"
#include "extension/drive_choice_win.h"
#include "extension/file_search_win.h"

namespace ext {

void runEqualFilesCommand(HWND fileManager) {
    using namespace filetools;
    if (offerDriveChoice(fileManager, 15012) == DriveChoice::Cancel)
        return;
    fileTable().clear();
    selectionWalk(fileManager, [](const std::string& path, const FileStatus* status) {
        return collectFile(kExtensionSearch, path, status);
    });
    ResultDialog dialog(kExtensionResult, ResultMode::EqualFiles, "", compareEqualFiles);
    dialog.run(fileManager);
    fileTable().clear();
}

} // namespace ext
