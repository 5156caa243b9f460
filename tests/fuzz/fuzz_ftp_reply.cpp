// FTP reply reading over an arbitrary byte stream from the server, arriving
// in segments of any size: the client's reading loop (peek, take up to the
// line feed, multi-line replies) rebuilt on the rules. Each line is taken
// without a byte past its line feed, cut to the reply buffer, and no reply
// runs on forever. Command lines never carry a second command.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>

#include "extension/ftp/ftp_commands.h"
#include "extension/ftp/ftp_reply.h"

using namespace ftp;

namespace {

struct Stream {
    std::string bytes;
    std::size_t taken = 0;
    std::size_t arrived = 0; // what the server has sent so far
    FuzzedDataProvider& segments;

    // One line as readReply reads it; false when the stream ends first.
    bool readLine(std::string& line) {
        LineAssembler assembler;
        const std::size_t start = taken;
        while (!assembler.complete()) {
            if (arrived == taken) {
                if (arrived == bytes.size())
                    return false;
                arrived = std::min(bytes.size(), arrived + segments.ConsumeIntegralInRange<std::size_t>(1, 6000));
            }
            const std::string_view pending(bytes.data() + taken, std::min(arrived - taken, kPeekSize));
            const std::size_t take = LineAssembler::bytesToTake(pending);
            if (take == 0 || take > pending.size())
                std::abort();
            assembler.add(pending.substr(0, take));
            taken += take;
        }
        line = assembler.line();
        const std::size_t feed = bytes.find('\n', start);
        std::string raw = bytes.substr(start, feed + 1 - start).substr(0, kReplyBufferSize - 1);
        raw = raw.substr(0, raw.find('\n'));
        while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\r'))
            raw.pop_back();
        if (taken != feed + 1 || line != raw || replyCode(line) < 0 || replyCode(line) > 999)
            std::abort();
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string command = in.ConsumeRandomLengthString(300);
    const std::optional<std::string> wire = commandLine(listCommand(transferCommand(Direction::Download, 4, command)));
    if (wire.has_value() == (command.find_first_of("\r\n") != std::string::npos) ||
        (wire && wire->find_first_of("\r\n") != wire->size() - 2))
        std::abort();
    localDirectory(command);

    std::string bytes = in.ConsumeRandomLengthString(30000);
    if (in.ConsumeBool()) // a reply far longer than the buffer, with or without its line feed
        bytes.append(in.ConsumeIntegralInRange<std::size_t>(0, 20000), 'x').append(in.ConsumeBool() ? "\n" : "");
    const std::string rest = in.ConsumeRemainingBytesAsString();
    FuzzedDataProvider segments(reinterpret_cast<const uint8_t*>(rest.data()), rest.size());
    Stream stream{bytes, 0, 0, segments};
    std::string line;
    int replies = 0;
    while (stream.readLine(line)) { // readFullReply
        ++replies;
        if (!opensMultiLineReply(line))
            continue;
        const std::string first = line;
        int more = 0;
        while (more < kMaxReplyLines && stream.readLine(line) && !endsMultiLineReply(first, line))
            ++more;
    }
    if (replies > static_cast<int>(bytes.size()))
        std::abort();
    return 0;
}
