// The attribute change on the platform's attribute calls.
#include "common/filetools/attribute_change_win.h"

#include <windows.h>

namespace filetools {

int applyAttributeChange(const std::string& path, const AttributeChange& change) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return 1;
    SetFileAttributesA(path.c_str(), changedAttributes(attributes, change));
    return 0;
}

} // namespace filetools
