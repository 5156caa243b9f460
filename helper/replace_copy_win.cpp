#include "helper/replace_copy_win.h"

#include <windows.h>

namespace helper {

bool replaceCopy(const std::string& source, const std::string& destination) {
    const std::string temporary = destination + ".qvx~";
    if (!CopyFileA(source.c_str(), temporary.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        SetLastError(error);
        return false;
    }
    if (MoveFileExA(temporary.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return true;
    // A destination that is locked, a folder or otherwise not replaceable stays as it was.
    const DWORD error = GetLastError();
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temporary.c_str());
    SetLastError(error);
    return false;
}

} // namespace helper
