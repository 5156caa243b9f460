// Real directory trees for the file search tests: a temporary folder with
// files of given contents and attributes, removed again with all it holds,
// and a drive letter mapped onto a folder through the prefix's dosdevices.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class SearchTree {
public:
    SearchTree();
    ~SearchTree();
    SearchTree(const SearchTree&) = delete;
    SearchTree& operator=(const SearchTree&) = delete;

    const std::string& root() const { return root_; }
    // Full path of a relative name ("a\\b.txt").
    std::string path(const std::string& relative) const;
    // Creates the file (and its folders) with these bytes and attributes.
    bool file(const std::string& relative, const std::string& bytes = "x", DWORD attributes = 0);
    bool folder(const std::string& relative);

private:
    std::string root_;
};

// Removes a folder with everything below it (attributes cleared first).
void removeTree(const std::string& path);

// Maps drive letter (for example 'X') onto a folder; false when it failed.
// The mapping is a symbolic link in the prefix's dosdevices folder.
bool mapDrive(char letter, const std::string& folder);
void unmapDrive(char letter);

// The Unix path of a Windows path, "" when it has none.
std::string unixPath(const std::string& windowsPath);

// Starts a shell command line of the host system; false when it could not start.
// Its end cannot be waited for.
bool runHostShell(const std::string& command);

// The lines of a list box of this process.
std::vector<std::string> listBoxLines(HWND box);
// The plain text on the clipboard, "(no text)" when there is none.
std::string clipboardText();

// Loads a deliverable's file from beside the test program so that its dialogs
// and clips are used by the shared code under test.
HMODULE useResourcesOf(const char* fileName);
