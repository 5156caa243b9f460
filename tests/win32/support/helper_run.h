// Driving the real quorvinx.exe from a test: its command line, the message
// boxes it shows, its result dialog once the tool has finished.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// "<quorvinx.exe beside the test>" arguments
std::string helperCommand(const std::string& arguments);

// A list file with these entries, each ended by CR LF.
bool writeListFile(const std::string& path, const std::vector<std::string>& entries);

// The search text the helper remembered under this key of its settings
// file; "(none)" when there is none.
std::string rememberedSearchText(const char* key);

// The next message box of the process (caption "Quorvin", the text in the
// static 0xFFFF); its text in `text`. nullptr after the time-out.
HWND waitForMessageBox(DWORD pid, std::string& text, int timeoutMs = 15000);

// Waits until the result dialog shows OK again (its tool has finished).
bool waitForResultFinished(HWND result, int timeoutMs = 30000);

// Runs paste if changed ("8 zqkp.tmp", the list in `directory`) for every
// name ("*") and returns the result lines once the helper has ended; empty
// (and a test failure) when a window did not come.
std::vector<std::string> pasteEveryChangedFile(const std::string& directory);
