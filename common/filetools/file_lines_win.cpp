// File times in the user's local time.
#include "common/filetools/file_lines_win.h"

namespace filetools {

LocalStamp localStamp(const FILETIME& time) {
    FILETIME local;
    SYSTEMTIME t{};
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &t))
        return LocalStamp{};
    return LocalStamp{t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute, t.wSecond};
}

} // namespace filetools
