// Status-bar texts and help topics of the menu items.
#include "extension/help_line.h"

#include "common/text/text_table.h"

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
    // String resources are numbered in 16 bits; a larger or negative number
    // would alias an unrelated one.
    if (idCommand < 1 || idCommand > 0xFFFF)
        return {HelpLineSource::Empty, 0};
    return {HelpLineSource::StringResource, static_cast<std::uint32_t>(idCommand)};
}

std::string programHelpLine(unsigned language, const std::string& programText) {
    using text::lookupText;
    return std::string(lookupText(text::TextCopy::Extension, language, 15003)) + " " + programText + " " +
           lookupText(text::TextCopy::Extension, language, 15004);
}

const char* helpTopicKeyword(long command) {
    switch (command) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        return "Ausführen";
    case 9:
        return "Ftp";
    case 10:
        return "Dateiinfo";
    case 11:
        return "Dateigrößen";
    case 12:
        return "Fenster neu aufbauen";
    case 13:
        return "Fenster alle neu aufbauen";
    case 14:
        return "Suche in Dateiinfo";
    case 16:
        return "Suche in Dateien";
    case 17:
        return "Gleiche Dateien";
    case 18:
        return "Einstellungen";
    case 19:
        return "Dateieigenschaften";
    case 20:
        return "Datum";
    case 21:
        return "Suche Dateiname";
    default: // 15 and every number without an item of its own
        return "Inhalt";
    }
}

} // namespace ext
