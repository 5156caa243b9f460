// The helper's command line: a command letter and the path of the selection
// list file, and what follows from them (prompt keys, the end of a run).
#pragma once

#include <string>
#include <vector>

namespace helper {

struct HelperCommand {
    char letter = '0';         // first character of the first argument
    std::string firstArgument; // as given, for the unknown-function message
    std::string listPath;      // second argument; empty: no list file
    bool hasList = false;
};

// Arguments without the program name. No arguments at all is letter '0'
// without a list file; further arguments are ignored.
HelperCommand parseCommandLine(const std::vector<std::string>& arguments);

// Only the digits name a tool; anything else is reported to the user.
bool isCommandLetter(char letter);

// Keys under which the prompts of this letter remember their last input.
std::string promptKeyA(char letter);
std::string promptKeyB(char letter);

std::string unknownFunctionMessage(const std::string& firstArgument);

// How a tool ended: most leave the list file to be deleted; the copy tool's
// error paths keep it.
enum class ToolEnd { DeleteList, KeepList };

// Whether the run ends by deleting the list file.
bool deletesListAtEnd(const HelperCommand& command, ToolEnd end);

} // namespace helper
