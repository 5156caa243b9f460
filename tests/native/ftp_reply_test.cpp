// FTP reply lines and command lines of the client.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension/ftp/ftp_commands.h"
#include "extension/ftp/ftp_reply.h"

namespace {

// Lines a full reply read takes from the front of `lines`, the way the
// client does it: one line, or on to the end of a multi-line reply.
std::size_t linesOfFirstReply(const std::vector<std::string>& lines) {
    if (!ftp::opensMultiLineReply(lines[0]))
        return 1;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (ftp::endsMultiLineReply(lines[0], lines[i]))
            return i + 1;
    }
    return 0;
}

} // namespace

TEST(FtpReply, CodeAndClass) {
    const struct {
        const char* line;
        int code;
        int replyClass;
    } cases[] = {
        {"220 Service ready", 220, 2},
        {"150 Opening data connection", 150, 1},
        {"331 Password required", 331, 3},
        {"421 Timeout", 421, 4},
        {"550 No such file", 550, 5},
        {"230", 230, 2},
        {"plain text", 0, 0},
        {"", 0, 0},
        {" 220 indented", 0, 0},
        {"12x odd", 12, 0},
        {"2200 long", 220, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code, ftp::replyCode(c.line)) << c.line;
        EXPECT_EQ(c.replyClass, ftp::replyClass(ftp::replyCode(c.line))) << c.line;
    }
    EXPECT_FALSE(ftp::isErrorCode(399));
    EXPECT_TRUE(ftp::isErrorCode(400));
}

// Bytes come as the socket shows them; the line ends at the first line feed
// and what follows stays pending for the next read.
TEST(FtpReply, LineTakenFromPendingBytes) {
    const struct {
        std::vector<std::string> segments;
        std::vector<std::size_t> taken;
        std::string line;
    } cases[] = {
        {{"220 Hel", "lo  \r\n331 next\r\n"}, {7, 6}, "220 Hello"},
        {{"230 ok\r\n230 again\r\n"}, {8}, "230 ok"},
        {{"226 done \t\r\r\n"}, {13}, "226 done \t"},
        {{"\n"}, {1}, ""},
        {{std::string(3000, 'x'), std::string(3000, 'y') + "\r\n"},
         {3000, 3002},
         std::string(3000, 'x') + std::string(1095, 'y')},
    };
    int index = 0;
    for (const auto& c : cases) {
        ftp::LineAssembler assembler;
        for (std::size_t i = 0; i < c.segments.size(); ++i) {
            EXPECT_FALSE(assembler.complete()) << "case " << index;
            const std::size_t take = ftp::LineAssembler::bytesToTake(c.segments[i]);
            EXPECT_EQ(c.taken[i], take) << "case " << index << " segment " << i;
            assembler.add(std::string_view(c.segments[i]).substr(0, take));
        }
        EXPECT_TRUE(assembler.complete()) << "case " << index;
        EXPECT_EQ(c.line, assembler.line()) << "case " << index;
        ++index;
    }
}

// A multi-line reply ends at the line with its own code and a blank; lines
// after it belong to the next reply.
TEST(FtpReply, MultiLineReplyEnds) {
    const struct {
        std::vector<std::string> lines;
        std::size_t taken;
    } cases[] = {
        {{"220 ready", "331 next"}, 1},
        {{"220-Welcome", "220-second", "220 ready", "331 next"}, 3},
        {{"220-Welcome", "plain middle line", "  220 indented", "220-more", "230 other code", "220 ready", "331 x"}, 6},
        {{"220-Welcome", "220", "331 next"}, 2},
        {{"226-Transfer done", "226 Bytes: 12"}, 2},
        {{"220-Welcome", "2201 not an end", "220x not either"}, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].taken, linesOfFirstReply(cases[i].lines)) << "case " << i;
}

TEST(FtpReply, LoginSteps) {
    using ftp::LoginStep;
    const struct {
        LoginStep answered;
        int replyClass;
        LoginStep next;
    } cases[] = {
        {LoginStep::User, 3, LoginStep::Password},  {LoginStep::User, 2, LoginStep::Done},
        {LoginStep::User, 5, LoginStep::Done},      {LoginStep::Password, 3, LoginStep::Account},
        {LoginStep::Password, 2, LoginStep::Done},  {LoginStep::Account, 3, LoginStep::Done},
        {LoginStep::Password, -1, LoginStep::Done},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].next, ftp::nextLoginStep(cases[i].answered, cases[i].replyClass)) << "case " << i;
}

TEST(FtpCommands, PortLine) {
    EXPECT_EQ("PORT 192,168,1,5,4,3", ftp::portCommand({192, 168, 1, 5}, 1027));
    EXPECT_EQ("PORT 127,0,0,1,255,255", ftp::portCommand({127, 0, 0, 1}, 65535));
    EXPECT_EQ("PORT 0,0,0,0,0,0", ftp::portCommand({0, 0, 0, 0}, 0));
}

TEST(FtpCommands, TransferCommands) {
    using ftp::Direction;
    EXPECT_EQ("TYPE A", ftp::typeCommand(ftp::kModeAscii | ftp::kModeRawCommand));
    EXPECT_EQ("TYPE I", ftp::typeCommand(0));
    EXPECT_EQ("RETR /pub/a b.txt", ftp::transferCommand(Direction::Download, 0, "/pub/a b.txt"));
    EXPECT_EQ("LIST /pub", ftp::transferCommand(Direction::Download, ftp::kModeRawCommand, "LIST /pub"));
    EXPECT_EQ("STOR /x", ftp::transferCommand(Direction::Upload, 0, "/x"));
    EXPECT_EQ("APPE /x", ftp::transferCommand(Direction::Upload, ftp::kModeAppend, "/x"));
    EXPECT_EQ("LIST", ftp::listCommand(""));
    EXPECT_EQ("LIST /pub", ftp::listCommand("/pub"));
    EXPECT_EQ("USER anonymous\r\n", ftp::commandLine("USER anonymous"));
    EXPECT_EQ(std::nullopt, ftp::commandLine("RETR a\r\nDELE b"));
    EXPECT_EQ(std::nullopt, ftp::commandLine("USER a\nb"));
}

TEST(FtpCommands, LocalDirectory) {
    const char* cases[][2] = {
        {"C:\\DOCS\\A.TXT", "C:\\DOCS"}, {"C:\\A.TXT", "C:\\"}, {"C:A.TXT", "C:"}, {"A.TXT", "."}, {"\\A.TXT", "\\"},
        {"Z:/tmp/x/y.bin", "Z:/tmp/x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c[1], ftp::localDirectory(c[0])) << c[0];
}
