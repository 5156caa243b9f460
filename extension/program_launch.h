// Rules of starting a configured program on the selected files: which
// selection counts, how a file's path is passed and where the program runs.
#pragma once

#include <cstdint>
#include <string>

namespace ext {

// Programs start once per selected file only from a file list or search
// results of a File Manager that is not minimised; otherwise they start alone.
bool launchesPerFile(int focus, bool minimised, unsigned selectedCount);

// Directories (16) and volume labels (8) are passed over without a word.
bool isLaunchSkipped(std::uint8_t attributes);

// A name without extension gets a trailing ".", so that the program adds no
// default extension of its own ("C:\DOCS\README" -> "C:\DOCS\README.").
std::string launchPath(const std::string& name);

// The directory the program runs in: the path up to its last backslash, a bare
// drive ("D:") with its backslash; empty when the path names no directory.
std::string launchDirectory(const std::string& path);

// "<command line> <path>", or the command line alone for an empty path.
std::string launchCommandLine(const std::string& commandLine, const std::string& path);

// The error message of a failed start: format holds one %d (the platform's
// result) and one %s (the command line), in that order.
std::string launchErrorText(const std::string& format, int result, const std::string& commandLine);

} // namespace ext
