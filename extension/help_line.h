// Which status-bar text belongs to a menu item of the extension, and the help
// topic behind each item.
#pragma once

#include <cstdint>
#include <string>

namespace ext {

struct HelpLineSource {
    enum Kind {
        Untouched,      // idCommand 0: the field is left as it is
        Text,           // a text table row
        Program,        // "<15003> <program text> <15004>" of slot `id`
        StringResource, // the library's German string resource `id`
        Empty,          // no text can belong to this number
    };
    Kind kind;
    std::uint32_t id;
};

HelpLineSource helpLineSource(std::int32_t idCommand);

// The help line of a program slot, for the program text as stored.
std::string programHelpLine(unsigned language, const std::string& programText);

// Help topic keyword (German, as the help file knows it) of a command number.
const char* helpTopicKeyword(long command);

} // namespace ext
