// The extension's own file tools run only on Windows 3.50 and older, and Wine
// tells a program an old version only when it is named for it at start: a
// test runs its checks in a child copy of its own program that Wine takes for
// Windows 3.10.
#pragma once

// True inside the child.
bool inOldWindowsChild();

// Starts this program again as the child with the given GoogleTest filter and
// waits for it; true when the child ran and all its checks passed (its output
// shows above the parent's).
bool runChecksOnOldWindows(const char* gtestFilter);
