// Running a test program's checks again in a child copy of itself that Wine
// takes for Windows 3.10: the extension then runs its file tools itself.
// Wine reports an old Windows only to a program named for it at its start.
#pragma once

// True inside such a child.
bool inOldWindowsChild();

// Starts this program as Windows 3.10 with a GoogleTest filter (such as
// "Suite.*") and waits for it; a failure is reported as a test failure.
void expectOldWindowsChildPasses(const char* filter);
