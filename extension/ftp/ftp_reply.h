// Reading FTP replies: how one line is taken from the control connection,
// what its code and class are, and where a reply of several lines ends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ftp {

// The reply buffer: a longer line is cut to its first kReplyBufferSize - 1 characters.
constexpr std::size_t kReplyBufferSize = 4096;
// At most this many pending bytes are looked at in one go.
constexpr std::size_t kPeekSize = 2000;
// A reply of more lines than this is not a reply but a server gone wrong.
constexpr int kMaxReplyLines = 1000;

// Collects one reply line from bytes that can be looked at before they are
// taken, so that nothing after the line's line feed leaves the connection.
class LineAssembler {
public:
    // How many of the pending bytes belong to the line: up to and including
    // the first line feed, or all of them when there is none yet.
    static std::size_t bytesToTake(std::string_view pending);
    // Adds bytes taken from the connection; the line is complete at a line feed.
    void add(std::string_view taken);
    bool complete() const { return complete_; }
    // The line without its trailing blanks, carriage returns and line feeds.
    std::string line() const;

private:
    std::string text_;
    bool complete_ = false;
};

// The decimal value of the line's first three characters (their leading
// digits); 0 for a line that does not begin with a digit.
int replyCode(std::string_view line);
// 1 preliminary, 2 completion, 3 intermediate, 4 and 5 errors, 0 no code.
inline int replyClass(int code) {
    return code / 100;
}
// Codes from 400 on are shown to the user as they arrive.
inline bool isErrorCode(int code) {
    return code >= 400;
}

// The first line of a reply that goes on over more lines ("220-Welcome").
bool opensMultiLineReply(std::string_view line);
// Whether line ends the multi-line reply that began with firstLine: it
// begins with the same three characters followed by a blank (or nothing,
// since trailing blanks are removed). Plain middle lines do not end it.
bool endsMultiLineReply(std::string_view firstLine, std::string_view line);

// The login: which command comes after a reply of the given class.
enum class LoginStep { User, Password, Account, Done };
LoginStep nextLoginStep(LoginStep answered, int replyClass);

} // namespace ftp
