#include "tests/win32/support/trouble_files.h"

#include <windows.h>

#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

std::wstring wideOf(const std::string& ansi) {
    std::wstring w(ansi.size(), L'\0');
    w.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                          w.data(), static_cast<int>(w.size()))));
    return w;
}

bool makeFileW(const std::wstring& path, const std::string& bytes) {
    const std::wstring full = L"\\\\?\\" + path;
    for (std::size_t at = full.find(L'\\', 7); at != std::wstring::npos; at = full.find(L'\\', at + 1))
        CreateDirectoryW(full.substr(0, at).c_str(), nullptr);
    HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok;
}

std::vector<std::string> makeNamesOutsideTheCodePage(const std::string& folder, const std::string& bytes) {
    for (const wchar_t* name : {L"\x03b1\x03b2\x03b3.txt", L"\x4e2d\x6587.txt", L"\xd83d\xde00.txt"})
        makeFileW(wideOf(folder) + L"\\" + name, bytes);
    std::vector<std::string> reported;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return reported;
    do {
        if (std::string(found.cFileName).find('?') != std::string::npos)
            reported.push_back(folder + "\\" + found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return reported;
}

std::vector<std::string> makeEqualPairsOnHost(const std::string& root, int perFolder) {
    const std::string script =
        "import os\nroot = '" + unixPath(root) +
        "'\nfor f in 'ab':\n    os.makedirs(os.path.join(root, f))\n"
        "    for i in range(" +
        std::to_string(perFolder) +
        "):\n"
        "        open(os.path.join(root, f, 'n%d.txt' % (10000 + i)), 'w').write('q' * (i % 13))\n"
        "open(os.path.join(root, 'made'), 'w').close()\n";
    const std::string made = root + "\\made";
    if (!writeBytes(root + "\\make.py", script) || !runHostShell("python3 '" + unixPath(root + "\\make.py") + "'"))
        return {};
    for (int i = 0; i < 600 && !fileExists(made); ++i)
        Sleep(50);
    std::vector<std::string> paths;
    if (!fileExists(made))
        return paths;
    for (const char* folder : {"a", "b"})
        for (int i = 0; i < perFolder; ++i)
            paths.push_back(root + "\\" + folder + "\\n" + std::to_string(10000 + i) + ".txt");
    return paths;
}
