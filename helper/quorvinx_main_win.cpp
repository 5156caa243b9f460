// Program entry of the helper: one tool per run, chosen by the command letter,
// then the selection list file is deleted and the program ends.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "common/win/plain_message.h"
#include "helper/command_line.h"
#include "helper/program_list_win.h"
#include "helper/result_menu_win.h"
#include "helper/tools.h"

namespace {

std::vector<std::string> programArguments() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return arguments;
}

helper::ToolEnd runTool(const helper::HelperCommand& command) {
    if (!helper::isCommandLetter(command.letter)) {
        showMessage(nullptr, helper::unknownFunctionMessage(command.firstArgument), MB_OK);
        return helper::ToolEnd::DeleteList;
    }
    const helper::ToolFunction tool = helper::findTool(helper::kToolTable, command.letter);
    if (tool == nullptr)
        return helper::ToolEnd::DeleteList;
    const helper::ToolRun run{command.letter, command.listPath, helper::promptKeyA(command.letter),
                              helper::promptKeyB(command.letter)};
    // A failing tool is dropped; its list file still goes.
    try {
        return tool(run);
    } catch (...) {
        return helper::ToolEnd::DeleteList;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    setDeliverable(kHelperProfile);
    helper::readProgramList();
    helper::installResultMenu();
    text::chooseLanguage();
    const helper::HelperCommand command = helper::parseCommandLine(programArguments());
    const helper::ToolEnd end = runTool(command);
    if (helper::deletesListAtEnd(command, end))
        DeleteFileA(command.listPath.c_str());
    return 0;
}
