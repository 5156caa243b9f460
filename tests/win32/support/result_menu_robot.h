// Driving the context menu of the helper's result list from a test: select
// lines, press the right button, pick an item, answer the message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The helper's program list (the menu's first items) for the run, put back afterwards.
class ProgramSettings {
public:
    explicit ProgramSettings(const std::vector<std::string>& entries);
    ~ProgramSettings();
    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;

private:
    std::vector<std::string> saved_;
};

// Selects the lines of these files, presses the right button on the list and
// picks the menu's n-th item (counted from 1, separators skipped; 0 picks
// nothing). False when no menu came.
bool pickFromMenu(HWND list, const std::vector<std::string>& files, int item);

// Searches the helper's files (process pid) for "needle" in names matching
// `names` and returns its result dialog once the search has finished;
// nullptr when a window did not come.
HWND needleSearchResult(DWORD pid, const char* names);

// Answers the next message box of the process with `button`; its text, or "(none)".
std::string answerBox(DWORD pid, int button, int timeoutMs = 15000);
