// The extension's size summation: every file the walk hands over whose name
// matches a pattern adds its size and one hit; no attribute filter here.
#include "extension/size_sum_win.h"

#include "extension/drive_choice_win.h"

#include <cstdint>

#include "common/filetools/search_prompt_win.h"
#include "common/filetools/size_tree.h"
#include "common/text/number_format.h"
#include "extension/file_search_win.h"

namespace ext {

void runSizeSumCommand(HWND fileManager) {
    using namespace filetools;
    const PromptRequest request{PromptKind::Extension, 15033, 15011, {}, {}};
    if (!promptForSearch(fileManager, request))
        return;
    // Chosen drives replace the selection; a cancelled choice ends the command.
    if (offerDriveChoice(fileManager, 15033) == DriveChoice::Cancel)
        return;
    const std::vector<std::string> patterns = searchState().searchPatterns;
    std::uint32_t total = 0; // wraps like the 32-bit sizes it adds
    const ResultAction count = [&](ResultDialog& dialog, const std::string& path, const FileStatus& status) {
        if (sizeCounts(upperCase(std::string(fileNameOf(path))), status.attributes, patterns, nullptr)) {
            total += status.size;
            dialog.countHit();
        }
        return 0;
    };
    ResultDialog dialog(kExtensionResult, ResultMode::SizeSum, searchState().searchText, [&](ResultDialog& d) {
        resultWalk(fileManager, d, count);
        for (const std::string& line : {text::byteLine(total), text::kilobyteLine(total), text::megabyteLine(total)}) {
            if (!d.addLine(line)) {
                d.reportLowMemory();
                break;
            }
        }
    });
    dialog.run(fileManager);
}

} // namespace ext
