// What the file tools must list, worked out by the tests from the files
// themselves: the walk orders, the line of a found file (creation time in
// local time, attribute letters, size with points between groups of three
// digits) and the groups of equal files.
#pragma once

#include <string>
#include <vector>

// The files below folder in the order of a walk: all files of a folder before
// its subfolders (the helper) or every child where it stands (the
// extension); names that begin with '.' left out.
std::vector<std::string> filesInWalkOrder(const std::string& folder, bool filesFirst);

// "path<TAB>dd.mm.yyyy<TAB>hh:mm:ss<TAB>RHSA<TAB><sizePrefix>1.234"; "" when
// the file's attributes cannot be read.
std::string foundFileLine(const std::string& path, const char* sizePrefix);

// The equal-file list of files in walk order: per name and size met more
// than once, the name, then a TAB and the file's line for each occurrence.
std::vector<std::string> expectedEqualFileLines(const std::vector<std::string>& pathsInWalkOrder);
