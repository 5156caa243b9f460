// Files the fault tests put in the tools' way: names outside the ANSI code
// page and many files made at once on the host side.
#pragma once

#include <string>
#include <vector>

// The ANSI text as UTF-16.
std::wstring wideOf(const std::string& ansi);

// A file (and its folders) of any name and length, through the Unicode functions.
bool makeFileW(const std::wstring& path, const std::string& bytes);

// Makes three files in folder whose names lie outside the ANSI code page
// (Greek, Chinese, an emoji) and returns their paths as the ANSI functions
// report them, with '?' for each character that has no ANSI form.
std::vector<std::string> makeNamesOutsideTheCodePage(const std::string& folder, const std::string& bytes);

// Makes folders a and b below root with `perFolder` files each, pairwise
// equal (the same name and size in both), on the host side (through the
// platform 10,000 files take half a minute). Their paths, a's first; empty
// when they could not be made.
std::vector<std::string> makeEqualPairsOnHost(const std::string& root, int perFolder);
