// Looking a letter up in the dispatch table.
#include "helper/tools.h"

namespace helper {

ToolFunction findTool(const ToolSlot* table, char letter) {
    for (const ToolSlot* slot = table; slot->letter != 0; ++slot) {
        if (slot->letter == letter)
            return slot->run;
    }
    return nullptr;
}

} // namespace helper
