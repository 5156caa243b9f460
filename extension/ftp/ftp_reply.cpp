// Reply line rules of the FTP client.
#include "extension/ftp/ftp_reply.h"

namespace ftp {

std::size_t LineAssembler::bytesToTake(std::string_view pending) {
    const std::size_t feed = pending.find('\n');
    return feed == std::string_view::npos ? pending.size() : feed + 1;
}

void LineAssembler::add(std::string_view taken) {
    const std::size_t feed = taken.find('\n');
    if (feed != std::string_view::npos) {
        taken = taken.substr(0, feed + 1);
        complete_ = true;
    }
    const std::size_t room = kReplyBufferSize - 1 - text_.size();
    text_.append(taken.substr(0, room));
}

std::string LineAssembler::line() const {
    std::size_t end = text_.find('\n');
    if (end == std::string::npos)
        end = text_.size();
    while (end > 0 && (text_[end - 1] == ' ' || text_[end - 1] == '\r' || text_[end - 1] == '\n'))
        --end;
    return text_.substr(0, end);
}

int replyCode(std::string_view line) {
    int code = 0;
    for (std::size_t i = 0; i < 3 && i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i)
        code = code * 10 + (line[i] - '0');
    return code;
}

bool opensMultiLineReply(std::string_view line) {
    return line.size() > 3 && line[3] == '-';
}

bool endsMultiLineReply(std::string_view firstLine, std::string_view line) {
    return line.size() >= 3 && line.substr(0, 3) == firstLine.substr(0, 3) && (line.size() == 3 || line[3] == ' ');
}

LoginStep nextLoginStep(LoginStep answered, int replyClass) {
    if (replyClass != 3)
        return LoginStep::Done;
    switch (answered) {
    case LoginStep::User:
        return LoginStep::Password;
    case LoginStep::Password:
        return LoginStep::Account;
    default:
        return LoginStep::Done;
    }
}

} // namespace ftp
