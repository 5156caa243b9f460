// Files for the Wine tests: a directory of their own, whole
// files written and read as bytes, and which list files a directory holds.
#pragma once

#include <string>
#include <vector>

// A fresh directory under the temporary directory, removed with its files.
class TempDirectory {
public:
    explicit TempDirectory(const char* prefix = "qrt");
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

bool writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);
bool fileExists(const std::string& path);

// Names of the files in directory matching pattern (such as "zqk*.tmp").
std::vector<std::string> filesMatching(const std::string& directory, const char* pattern);
