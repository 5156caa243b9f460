// The helper's command-line grammar.
#include "helper/command_line.h"

namespace helper {

HelperCommand parseCommandLine(const std::vector<std::string>& arguments) {
    HelperCommand command;
    if (arguments.empty())
        return command;
    command.firstArgument = arguments[0];
    command.letter = arguments[0].empty() ? '\0' : arguments[0][0];
    if (arguments.size() > 1 && !arguments[1].empty()) {
        command.listPath = arguments[1];
        command.hasList = true;
    }
    return command;
}

bool isCommandLetter(char letter) {
    return letter >= '0' && letter <= '9';
}

std::string promptKeyA(char letter) {
    return std::string("f") + letter + "A";
}

std::string promptKeyB(char letter) {
    return std::string("f") + letter + "B";
}

std::string unknownFunctionMessage(const std::string& firstArgument) {
    return "unbekannte Funktion: " + firstArgument;
}

bool deletesListAtEnd(const HelperCommand& command, ToolEnd end) {
    return command.hasList && end == ToolEnd::DeleteList;
}

} // namespace helper
