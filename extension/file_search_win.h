// The extension's own file search path (Windows 3.50 and older): the walks
// over the File Manager's selection or the chosen drives, and command 16.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "common/filetools/content_search_win.h"

namespace ext {

// A text field the host filled, or "" when it lacks its terminator.
std::string hostField(const char* field, std::size_t size);

// Hands every path of the selection sources to walkOne in order: the chosen
// drive roots, else the selected entries of a file list or search window,
// else the window's current directory. walkOne returns 1 when the walk was
// cancelled, which ends the sources.
void forEachSelectedPath(HWND fileManager, const std::function<int(std::string path)>& walkOne);

// The plain walk with the progress window (equal files, attributes, date).
void selectionWalk(HWND fileManager, const filetools::FileVisit& action);

// The walk that feeds the result dialog.
void resultWalk(HWND fileManager, filetools::ResultDialog& dialog, const filetools::ResultAction& action);

// Command 16: the prompt, then the result dialog searching the selection.
void runContentSearchCommand(HWND fileManager);

} // namespace ext
