// Rules of run with parameters.
#include "helper/run_request.h"

#include <cstring>

namespace helper {

RunRequest runRequest(const std::string& program, const std::string& parameters) {
    if (std::strcmp(program.c_str(), " ") <= 0)
        return {parameters, ""};
    return {program, parameters};
}

std::string startFailureMessage(const std::string& errorLabel, long number, const std::string& executionLabel,
                                const std::string& started) {
    return errorLabel + " " + std::to_string(number) + " " + executionLabel + "\n" + started;
}

} // namespace helper
