// The selection list file written for the helper, and the helper's start.
#include "extension/helper_delegation_win.h"

#include "common/win/fm_extension.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/win/plain_message.h"
#include "extension/command_routing.h"

namespace ext {

namespace {

// An entry the host could not fill stays empty and gives no line: readers
// skip empty lines anyway, and the field may lack its terminator.
bool writeEntry(std::FILE* file, const char* field, std::size_t size) {
    const std::size_t length = strnlen(field, size);
    if (length == 0 || length == size)
        return true;
    return std::fwrite(field, 1, length, file) == length && std::fputc('\n', file) != EOF;
}

bool writeSelection(HWND fileManager, std::FILE* file) {
    const LRESULT count = SendMessageA(fileManager, FM_GETSELCOUNTLFN, 0, 0);
    const LRESULT focus = SendMessageA(fileManager, FM_GETFOCUS, 0, 0);
    const unsigned entries = selectionEntries(static_cast<int>(focus), static_cast<std::uint32_t>(count));
    if (entries == 0) {
        FMS_GETDRIVEINFOA drive{};
        SendMessageA(fileManager, FM_GETDRIVEINFOA, 0, reinterpret_cast<LPARAM>(&drive));
        return writeEntry(file, drive.szPath, sizeof drive.szPath);
    }
    for (unsigned index = 0; index < entries; ++index) {
        FMS_GETFILESELA entry{};
        SendMessageA(fileManager, FM_GETFILESELLFNA, index, reinterpret_cast<LPARAM>(&entry));
        if (!writeEntry(file, entry.szName, sizeof entry.szName))
            return false;
    }
    return true;
}

} // namespace

bool delegateToHelper(HWND fileManager, char letter) {
    char listPath[MAX_PATH] = "";
    if (GetTempFileNameA(".", "zqk", 0, listPath) == 0) {
        showMessage(fileManager, "Error: GetTempFileName");
        return false;
    }
    std::FILE* file = std::fopen(listPath, "w");
    if (file == nullptr) {
        showMessage(fileManager, "Error: CreateFile (tmp)");
        return false;
    }
    // A list cut short by a full disk would have the helper work on part of
    // the selection as if it were all of it: treat it as not written.
    const bool written = writeSelection(fileManager, file);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        showMessage(fileManager, "Error: CreateFile (tmp)");
        return false;
    }
    const std::string commandLine = helperCommandLine(letter, listPath);
    if (WinExec(commandLine.c_str(), SW_SHOW) < 32)
        showMessage(fileManager, "Error: QuorvinX nicht gefunden");
    return true;
}

} // namespace ext
