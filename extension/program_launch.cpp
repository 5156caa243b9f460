// Rules of starting a configured program on the selected files.
#include "extension/program_launch.h"

namespace ext {

bool launchesPerFile(int focus, bool minimised, unsigned selectedCount) {
    return (focus == 1 || focus == 4) && !minimised && selectedCount > 0;
}

bool isLaunchSkipped(std::uint8_t attributes) {
    return (attributes & (16 | 8)) != 0;
}

std::string launchPath(const std::string& name) {
    std::size_t cut = name.find_last_of('\\');
    if (cut == std::string::npos)
        cut = name.find_last_of(':');
    if (cut == std::string::npos || name.find('.', cut + 1) != std::string::npos)
        return name;
    return name + ".";
}

std::string launchDirectory(const std::string& path) {
    const std::size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos)
        return {};
    std::string directory = path.substr(0, cut);
    if (directory.size() == 2)
        directory += '\\';
    return directory;
}

std::string launchCommandLine(const std::string& commandLine, const std::string& path) {
    return path.empty() ? commandLine : commandLine + " " + path;
}

std::string launchErrorText(const std::string& format, int result, const std::string& commandLine) {
    // Replaced by hand: the format comes from the text table, and a stray
    // conversion in it must not read arguments that are not there.
    std::string text;
    bool numberDone = false;
    bool textDone = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char kind = format[i + 1];
            if (kind == 'd' && !numberDone) {
                text += std::to_string(result);
                numberDone = true;
                ++i;
                continue;
            }
            if (kind == 's' && !textDone) {
                text += commandLine;
                textDone = true;
                ++i;
                continue;
            }
        }
        text += format[i];
    }
    return text;
}

} // namespace ext
