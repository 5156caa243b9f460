// Status-bar texts of the menu items.
#include "extension/help_line.h"

namespace ext {

HelpLineSource helpLineSource(std::int32_t idCommand) {
    switch (idCommand) {
    case 0:
        return {HelpLineSource::Untouched, 0};
    case -1:
        return {HelpLineSource::Text, 15080};
    case 11:
        return {HelpLineSource::Text, 15013};
    case 15:
        return {HelpLineSource::Text, 57666};
    case 16:
        return {HelpLineSource::Text, 15005};
    case 17:
        return {HelpLineSource::Text, 15012};
    case 19:
        return {HelpLineSource::Text, 15038};
    case 20:
        return {HelpLineSource::Text, 15037};
    case 21:
        return {HelpLineSource::Text, 15014};
    default:
        break;
    }
    if (idCommand >= 1 && idCommand <= 8)
        return {HelpLineSource::Program, static_cast<std::uint32_t>(idCommand)};
    return {HelpLineSource::StringResource, static_cast<std::uint32_t>(idCommand)};
}

} // namespace ext
