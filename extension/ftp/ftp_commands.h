// The command lines the FTP client sends, built from plain values.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ftp {

// Commands go out in pieces of at most this many bytes.
constexpr std::size_t kCommandPieceSize = 1024;

// Transfer mode bits.
enum TransferMode : unsigned {
    kModeAscii = 1,      // "TYPE A" instead of "TYPE I"
    kModeAppend = 2,     // an upload appends ("APPE" instead of "STOR")
    kModeRawCommand = 4, // a download's remote argument is the whole command
};

enum class Direction { Download, Upload };

// The text with its line end; nothing when the text holds a carriage return
// or line feed, which would put a second command on the wire.
std::optional<std::string> commandLine(std::string_view text);

// "PORT h1,h2,h3,h4,p1,p2": the address bytes in network order, then the
// port's high and low byte.
std::string portCommand(const std::array<std::uint8_t, 4>& address, std::uint16_t port);

std::string typeCommand(unsigned mode);
// The command that starts a transfer: RETR, STOR or APPE with the remote
// path, or for a download with the raw-command bit the remote text itself.
std::string transferCommand(Direction direction, unsigned mode, std::string_view remote);
// "LIST", or "LIST " and the path.
std::string listCommand(std::string_view remotePath);

// The directory a local file lies in ("." for a bare name), where a
// download is written before it takes the file's place.
std::string localDirectory(std::string_view path);

} // namespace ftp
