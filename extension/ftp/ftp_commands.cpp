// Command lines of the FTP client.
#include "extension/ftp/ftp_commands.h"

namespace ftp {

std::optional<std::string> commandLine(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return std::nullopt;
    std::string line(text);
    line += "\r\n";
    return line;
}

std::string portCommand(const std::array<std::uint8_t, 4>& address, std::uint16_t port) {
    std::string line = "PORT ";
    for (std::uint8_t byte : address)
        line += std::to_string(byte) + ",";
    line += std::to_string(port >> 8) + "," + std::to_string(port & 0xff);
    return line;
}

std::string typeCommand(unsigned mode) {
    return (mode & kModeAscii) != 0 ? "TYPE A" : "TYPE I";
}

std::string transferCommand(Direction direction, unsigned mode, std::string_view remote) {
    if (direction == Direction::Download)
        return (mode & kModeRawCommand) != 0 ? std::string(remote) : "RETR " + std::string(remote);
    return ((mode & kModeAppend) != 0 ? "APPE " : "STOR ") + std::string(remote);
}

std::string listCommand(std::string_view remotePath) {
    return remotePath.empty() ? "LIST" : "LIST " + std::string(remotePath);
}

std::string localDirectory(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos)
        return std::string(path.substr(0, slash == 0 || path[slash - 1] == ':' ? slash + 1 : slash));
    if (path.size() >= 2 && path[1] == ':')
        return std::string(path.substr(0, 2));
    return ".";
}

} // namespace ftp
