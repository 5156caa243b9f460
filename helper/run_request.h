// Run with parameters: what the run dialog's two fields start, and the
// message of a failed start (also used by the result list's program items).
#pragma once

#include <string>

namespace helper {

struct RunRequest {
    std::string file;       // what ShellExecuteA opens
    std::string parameters; // empty: none
};

// A program text that does not sort after a single blank (empty, one blank,
// or anything below it byte for byte) leaves the parameter field to be opened
// on its own.
RunRequest runRequest(const std::string& program, const std::string& parameters);

// "%s %d %s\n%s": error label, the platform's number, "by execution" label, what was started.
std::string startFailureMessage(const std::string& errorLabel, long number, const std::string& executionLabel,
                                const std::string& started);

} // namespace helper
