// The FTP client under Wine against the scripted server: greetings, login
// replies, replies split across segments, time-outs, broken downloads and a
// stranger on the data port. Each case runs a real client over loopback and
// compares what the server saw, the boxes shown and the local files.
// wine-links: ftp_client
// wine-fixtures: ftp_servers
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/win/deliverable.h"
#include "extension/ftp/ftp_client_win.h"
#include "tests/win32/support/ftp_servers.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

constexpr ftp::Timeouts kQuick{3000, 1500, 1500, 2000};

// What every download of the scripted server delivers.
std::string payload() {
    std::string bytes;
    for (int i = 0; i < 256 * 400; ++i)
        bytes += static_cast<char>(i % 256);
    return bytes;
}

Lines commandsOf(const Lines& transcript) {
    Lines commands;
    for (const std::string& line : transcript) {
        if (line.rfind("> ", 0) == 0)
            commands.push_back(line.substr(2));
    }
    return commands;
}

bool holds(const Lines& lines, const std::string& wanted) {
    return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

class ScriptedFtp : public testing::Test {
protected:
    void SetUp() override {
        if (servers_.scriptedPort == 0)
            GTEST_SKIP() << "the FTP test servers are not running";
        setDeliverable(kExtensionProfile);
    }

    FtpServers servers_ = FtpServers::load();
    FtpServiceEntry service_{servers_.scriptedPort};
    BoxRecorder recorder_;
};

} // namespace

TEST_F(ScriptedFtp, LoginReplies) {
    const std::string fehler = "stop: FTP Fehler:\n530 Login incorrect.";
    const struct {
        const char* scenario;
        bool success;
        Lines commands;
        Lines boxes;
        const char* lastLine;
    } cases[] = {
        {"multi_greeting", true, {"USER anonymous", "PASS guest", "QUIT"}, {}, "230 Logged in"},
        {"greeting_120", true, {"USER anonymous", "PASS guest", "QUIT"}, {}, "230 Logged in"},
        {"middle_lines", true, {"USER anonymous", "PASS guest", "QUIT"}, {}, "230 Logged in"},
        {"user_230", true, {"USER anonymous", "QUIT"}, {}, "230 No password needed"},
        {"account", true, {"USER anonymous", "PASS guest", "ACCT office", "QUIT"}, {}, "230 Account accepted"},
        {"split_reply", true, {"USER anonymous", "PASS guest", "QUIT"}, {}, "230 Logged in"},
        {"pass_530",
         false,
         {"USER anonymous", "PASS guest", "QUIT"},
         {fehler, "exclamation: FTP Logon Fehler:\n530 Login incorrect."},
         "530 Login incorrect."},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(servers_.scenario(c.scenario)) << c.scenario;
        recorder_.boxes.clear();
        {
            ftp::FtpClient client;
            client.setTimeouts(kQuick);
            EXPECT_EQ(c.success, client.login("127.0.0.1", "anonymous", "guest", "office")) << c.scenario;
            EXPECT_EQ(c.lastLine, client.lastReplyLine()) << c.scenario;
            EXPECT_EQ(htons(static_cast<u_short>(servers_.scriptedPort)), client.serverAddress().sin_port);
        }
        const Lines transcript = servers_.transcript();
        EXPECT_EQ(c.commands, commandsOf(transcript)) << c.scenario;
        EXPECT_TRUE(std::none_of(transcript.begin(), transcript.end(),
                                 [](const std::string& line) { return line.rfind("early", 0) == 0; }))
            << c.scenario << ": a command went out before the greeting ended";
        EXPECT_EQ(c.boxes, recorder_.boxes) << c.scenario;
        for (const std::string& caption : recorder_.captions)
            EXPECT_EQ("korbinen.dll", caption);
    }
}

// Downloads that go wrong leave the old local file as it was and no
// temporary file beside it; a stranger on the data port is turned away.
TEST_F(ScriptedFtp, Downloads) {
    const std::string old = "the old local file\r\n";
    const struct {
        const char* scenario;
        bool success;
        Lines boxes;
        const char* note;
    } cases[] = {
        {"plain", true, {}, "data from 127.0.0.1"},
        {"intruder", true, {}, "intruder turned away"},
        {"final_451", false, {"stop: FTP Fehler:\n451 Local error in processing"}, "data from 127.0.0.1"},
        {"broken_download",
         false,
         {"stop: FTP Fehler:\n426 Connection closed; transfer aborted"},
         "data from 127.0.0.1"},
        {"control_drop", false, {}, "data from 127.0.0.1"},
        {"no_data_connection", false, {}, "closed by client"},
    };
    TempDirectory directory("ftd");
    const std::string target = directory.file("target.bin");
    for (const auto& c : cases) {
        ASSERT_TRUE(writeBytes(target, old));
        ASSERT_TRUE(servers_.scenario(c.scenario)) << c.scenario;
        recorder_.boxes.clear();
        {
            ftp::FtpClient client;
            client.setTimeouts(kQuick);
            ASSERT_TRUE(client.login("127.0.0.1", "anonymous", "guest", "")) << c.scenario;
            const DWORD start = GetTickCount();
            EXPECT_EQ(c.success, client.retrieveFile(target, "/file.bin", 0)) << c.scenario;
            EXPECT_LT(GetTickCount() - start, 6000u) << c.scenario;
        }
        EXPECT_EQ(c.success ? payload() : old, readBytes(target)) << c.scenario;
        EXPECT_EQ(Lines{"target.bin"}, filesMatching(directory.path(), "*")) << c.scenario;
        const Lines transcript = servers_.transcript();
        EXPECT_EQ(c.boxes, recorder_.boxes) << c.scenario << testing::PrintToString(transcript);
        EXPECT_TRUE(holds(transcript, c.note)) << c.scenario;
        const Lines commands = commandsOf(transcript);
        ASSERT_GE(commands.size(), 5u) << c.scenario;
        EXPECT_EQ("TYPE I", commands[2]) << c.scenario;
        EXPECT_EQ("RETR /file.bin", commands[4]) << c.scenario;
        // The announced address is the local end of the control connection, as the server saw it.
        unsigned a = 0, b = 0, d = 0, e = 0;
        ASSERT_EQ(4, sscanf(commands[3].c_str(), "PORT %u,%u,%u,%u,", &a, &b, &d, &e)) << commands[3];
        EXPECT_TRUE(holds(transcript, "peer " + std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(d) +
                                          "." + std::to_string(e)))
            << c.scenario;
    }
}

// A server that stops answering: the login ends at its time-out, the thread
// goes on dispatching messages meanwhile, and a second operation started from
// one of them fails at once.
namespace {

ftp::FtpClient* running = nullptr;
int ticks = 0;
int refused = 0;

void CALLBACK tryAnotherOperation(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
    refused += running->listDirectory("C:\\never.txt", "") ? 0 : 1;
}

} // namespace

TEST_F(ScriptedFtp, SilentServerTimesOut) {
    ASSERT_TRUE(servers_.scenario("silent_login"));
    ftp::FtpClient client;
    client.setTimeouts(kQuick);
    running = &client;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, tryAnotherOperation);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(client.login("127.0.0.1", "anonymous", "guest", ""));
    const DWORD elapsed = GetTickCount() - start;
    KillTimer(nullptr, timer);
    EXPECT_GE(elapsed, kQuick.replyMs);
    EXPECT_LT(elapsed, kQuick.replyMs + 3000);
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(ticks, refused);
    EXPECT_FALSE(client.connected());
    EXPECT_EQ(Lines{"exclamation: FTP Logon Fehler:\n"}, recorder_.boxes);
    EXPECT_EQ(Lines{"USER anonymous"}, commandsOf(servers_.transcript()));
}

// An upload whose local file is missing sends nothing that could empty the remote file.
TEST_F(ScriptedFtp, UploadOfMissingFileSendsNoStor) {
    ASSERT_TRUE(servers_.scenario("plain"));
    {
        ftp::FtpClient client;
        ASSERT_TRUE(client.login("127.0.0.1", "anonymous", "guest", ""));
        EXPECT_FALSE(client.storeFile("C:\\no such dir\\missing.txt", "/kept.txt", 0));
    }
    EXPECT_EQ((Lines{"USER anonymous", "PASS guest", "QUIT"}), commandsOf(servers_.transcript()));
}

// Without a service entry "ftp" the client falls back to port 21.
TEST_F(ScriptedFtp, NoServiceEntryMeansPort21) {
    FtpServiceEntry none(0);
    ftp::FtpClient client;
    client.setTimeouts(kQuick);
    client.login("127.0.0.1", "anonymous", "guest", "");
    EXPECT_EQ(htons(21), client.serverAddress().sin_port);
}

// A transfer the server refuses, at once or after announcing the data
// connection, fails as soon as the refusal arrives (not at the time-out for
// the data connection), shows the server's text, and leaves the control
// connection in step: the next listing works.
TEST_F(ScriptedFtp, RefusalsEndTheTransferAtOnce) {
    const ftp::Timeouts patient{3000, 3000, 8000, 3000};
    const struct {
        const char* scenario;
        bool upload;
        const char* box;
    } cases[] = {
        {"refused_RETR", false, "stop: FTP Fehler:\n550 Failed to open file."},
        {"refused_STOR", true, "stop: FTP Fehler:\n553 Could not create file."},
        {"late_refusal_RETR", false, "stop: FTP Fehler:\n425 Can't open data connection."},
        {"late_refusal_STOR", true, "stop: FTP Fehler:\n425 Can't open data connection."},
        {"late_refusal_twice", false, "stop: FTP Fehler:\n425 Can't open data connection."},
    };
    TempDirectory directory("ftr");
    const std::string local = directory.file("local.bin");
    const std::string listing = directory.file("listing.txt");
    const std::string old = "the local file\r\n";
    for (const auto& c : cases) {
        ASSERT_TRUE(writeBytes(local, old));
        ASSERT_TRUE(servers_.scenario(c.scenario)) << c.scenario;
        recorder_.boxes.clear();
        {
            ftp::FtpClient client;
            client.setTimeouts(patient);
            ASSERT_TRUE(client.login("127.0.0.1", "anonymous", "guest", "")) << c.scenario;
            const DWORD start = GetTickCount();
            EXPECT_FALSE(c.upload ? client.storeFile(local, "/incoming/up.bin", 0)
                                  : client.retrieveFile(local, "/file.bin", 0))
                << c.scenario;
            EXPECT_LT(GetTickCount() - start, 2000u) << c.scenario << ": waited for a data connection";
            EXPECT_TRUE(client.connected()) << c.scenario;
            EXPECT_TRUE(client.listDirectory(listing, "")) << c.scenario;
        }
        EXPECT_EQ(Lines{c.box}, recorder_.boxes) << c.scenario;
        EXPECT_EQ(old, readBytes(local)) << c.scenario;
        EXPECT_NE(std::string::npos, readBytes(listing).find(" README")) << c.scenario;
        Lines left = filesMatching(directory.path(), "*");
        std::sort(left.begin(), left.end());
        EXPECT_EQ((Lines{"listing.txt", "local.bin"}), left) << c.scenario << ": no temporary file is left";
        const Lines commands = commandsOf(servers_.transcript());
        ASSERT_EQ(9u, commands.size()) << c.scenario << testing::PrintToString(commands);
        EXPECT_EQ(c.upload ? "STOR /incoming/up.bin" : "RETR /file.bin", commands[4]) << c.scenario;
        EXPECT_EQ("LIST", commands[7]) << c.scenario;
    }
}
