// The date stamp on the platform's file time calls.
#include "common/filetools/file_date_win.h"

#include <windows.h>

namespace filetools {

int applyFileDate(const std::string& path, DosDateTime stamp) {
    FILETIME local, universal;
    // A stamp the platform cannot read as a moment touches no file.
    if (!DosDateTimeToFileTime(stamp.date, stamp.time, &local) || !LocalFileTimeToFileTime(&local, &universal))
        return 1;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const bool set = SetFileTime(file, &universal, &universal, &universal) != FALSE;
    const bool closed = CloseHandle(file) != FALSE;
    return set && closed ? 0 : 1;
}

} // namespace filetools
