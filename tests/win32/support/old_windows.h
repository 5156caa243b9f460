// The extension runs its own file tools only on Windows 3.50 and older. Wine
// reports an old Windows only to a program named for it at start, so such
// checks run in a child copy of the test program that Wine takes for 3.10.
#pragma once

#include <string>

// True inside that child.
bool inOldWindowsChild();

// Runs this program again as the child with the tests of gtestFilter;
// returns "" when they passed, else what went wrong.
std::string runInOldWindowsChild(const char* gtestFilter);
