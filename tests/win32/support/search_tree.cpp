// Temporary trees, drive mappings and the resource module for the search tests.
#include "tests/win32/support/search_tree.h"

#include <functional>

#include "common/filetools/walk_win.h"
#include "tests/win32/support/host_fixture.h"

SearchTree::SearchTree() {
    char base[MAX_PATH] = "";
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH] = "";
    GetTempFileNameA(base, "fst", 0, name);
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    root_ = name;
}

SearchTree::~SearchTree() {
    removeTree(root_);
}

std::string SearchTree::path(const std::string& relative) const {
    return root_ + "\\" + relative;
}

bool SearchTree::folder(const std::string& relative) {
    std::string built = root_;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t slash = relative.find('\\', start);
        built += "\\" + relative.substr(start, slash - start);
        CreateDirectoryA(built.c_str(), nullptr);
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return (GetFileAttributesA(built.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool SearchTree::file(const std::string& relative, const std::string& bytes, DWORD attributes) {
    const std::size_t slash = relative.rfind('\\');
    if (slash != std::string::npos)
        folder(relative.substr(0, slash));
    const std::string full = path(relative);
    HANDLE h = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (attributes != 0)
        SetFileAttributesA(full.c_str(), attributes);
    return ok && written == bytes.size();
}

void removeTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

bool runHostShell(const std::string& command) {
    // Wine starts programs of the host system as well as Windows programs, but
    // their end cannot be waited for: callers look for the effect.
    std::string line = "/bin/sh -c \"" + command + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

namespace {

bool waitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 150; ++i) {
        if (condition())
            return true;
        Sleep(20);
    }
    return false;
}

} // namespace

std::string unixPath(const std::string& windowsPath) {
    // The Windows form of "/" is Z:\, so the Unix path of the folder is found
    // by asking the shell where the prefix keeps drive C.
    char full[MAX_PATH] = "";
    GetFullPathNameA(windowsPath.c_str(), sizeof full, full, nullptr);
    std::string p = full;
    if (p.size() < 3 || p[1] != ':')
        return "";
    const char drive = static_cast<char>(tolower(p[0]));
    std::string rest = p.substr(2);
    for (char& c : rest)
        if (c == '\\')
            c = '/';
    const char* prefix = getenv("WINEPREFIX");
    if (drive == 'z')
        return rest;
    if (prefix == nullptr)
        return "";
    return std::string(prefix) + "/dosdevices/" + drive + ":" + rest;
}

bool mapDrive(char letter, const std::string& folder) {
    const char* prefix = getenv("WINEPREFIX");
    const std::string target = unixPath(folder);
    if (prefix == nullptr || target.empty())
        return false;
    // A marker file tells when the letter leads to this very folder.
    const std::string marker = "drive-marker.tmp";
    const std::string markerPath = folder + "\\" + marker;
    HANDLE h = CreateFileA(markerPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    const char lower = static_cast<char>(tolower(letter));
    const std::string link = std::string(prefix) + "/dosdevices/" + lower + ":";
    if (!runHostShell("ln -sfn '" + target + "' '" + link + "'"))
        return false;
    const std::string onDrive = std::string(1, letter) + ":\\" + marker;
    const bool mapped = waitFor([&] { return GetFileAttributesA(onDrive.c_str()) != INVALID_FILE_ATTRIBUTES; });
    DeleteFileA(markerPath.c_str());
    // The link alone leads there, but the list of drives (GetLogicalDrives)
    // only knows the letters the wineserver was told about.
    const std::string device = std::string(1, letter) + ":";
    DefineDosDeviceA(0, device.c_str(), folder.c_str());
    return mapped;
}

void unmapDrive(char letter) {
    const char* prefix = getenv("WINEPREFIX");
    if (prefix == nullptr)
        return;
    const std::string device = std::string(1, letter) + ":";
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, device.c_str(), nullptr);
    const char lower = static_cast<char>(tolower(letter));
    runHostShell("rm -f '" + std::string(prefix) + "/dosdevices/" + lower + ":'");
    const std::string root = std::string(1, letter) + ":\\";
    waitFor([&] { return GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

std::vector<std::string> listBoxLines(HWND box) {
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<char> buffer(SendMessageA(box, LB_GETTEXTLEN, i, 0) + 1);
        SendMessageA(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        lines.emplace_back(buffer.data());
    }
    return lines;
}

std::string clipboardText() {
    std::string text = "(no text)";
    if (!OpenClipboard(nullptr))
        return "(clipboard not open)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

HMODULE useResourcesOf(const char* fileName) {
    HMODULE module = LoadLibraryExA(besideTestProgram(fileName).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    filetools::setResourceModule(module);
    return module;
}
