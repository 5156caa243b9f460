// Which status-bar text belongs to a menu item of the extension.
#pragma once

#include <cstdint>

namespace ext {

struct HelpLineSource {
    enum Kind {
        Untouched,      // idCommand 0: the field is left as it is
        Text,           // a text table row
        Program,        // "<15003> <program text> <15004>" of slot `slot`
        StringResource, // the library's German string resource `id`
    };
    Kind kind;
    std::uint32_t id;
};

HelpLineSource helpLineSource(std::int32_t idCommand);

} // namespace ext
