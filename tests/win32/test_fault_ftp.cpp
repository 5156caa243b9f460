// The FTP client against a server that fails at every stage of every
// exchange: the control connection reset or closed where a reply is due, half
// a reply line, 5,000 characters without a line feed, no data connection, the
// data connection reset half-way, the data without its final reply. Each
// case: a failure reported, the local file intact, no temporary file left,
// the thread's messages dispatched meanwhile, and no hang.
// wine-links: ftp_client
// wine-fixtures: ftp_servers
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/win/deliverable.h"
#include "extension/ftp/ftp_client_win.h"
#include "tests/win32/support/ftp_servers.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

constexpr ftp::Timeouts kQuick{3000, 1500, 1500, 2000};

enum class Operation { Login, Retrieve, List, Store };

int ticks = 0;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
}

struct Outcome {
    bool success = false;
    DWORD elapsed = 0;
    std::string lastLine;
};

// Logs in, then runs the operation; every wait of the client is timed.
Outcome run(Operation operation, const std::string& local) {
    Outcome outcome;
    ftp::FtpClient client;
    client.setTimeouts(kQuick);
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, countTick);
    const DWORD start = GetTickCount();
    outcome.success = client.login("127.0.0.1", "anonymous", "guest", "");
    if (outcome.success && operation == Operation::Retrieve)
        outcome.success = client.retrieveFile(local, "/file.bin", 0);
    else if (outcome.success && operation == Operation::List)
        outcome.success = client.listDirectory(local, "/pub");
    else if (outcome.success && operation == Operation::Store)
        outcome.success = client.storeFile(local, "/incoming/up.bin", 0);
    outcome.elapsed = GetTickCount() - start;
    KillTimer(nullptr, timer);
    outcome.lastLine = client.lastReplyLine();
    return outcome;
}

} // namespace

TEST(FaultFtp, ServerFailsAtEveryStage) {
    const FtpServers servers = FtpServers::load();
    if (servers.scriptedPort == 0)
        GTEST_SKIP() << "the FTP test servers are not running";
    setDeliverable(kExtensionProfile);
    FtpServiceEntry service(servers.scriptedPort);
    BoxRecorder recorder;
    const std::string logon = "exclamation: FTP Logon Fehler:\n";
    const std::string longLine = "230 " + std::string(4091, 'x'); // the reply buffer's worth
    const struct {
        Operation operation;
        std::vector<const char*> verbs;
        std::vector<const char*> stages;
        bool success;
        Lines boxes;
        std::string lastLine; // "" not checked
    } groups[] = {
        {Operation::Login, {"GREETING", "USER", "PASS"}, {"reset", "close", "partial", "long"}, false, {logon}, ""},
        {Operation::Login, {"GREETING"}, {"longline"}, true, {}, "230 Logged in"},
        {Operation::Login, {"USER", "PASS"}, {"longline"}, true, {}, longLine},
        {Operation::Retrieve, {"TYPE", "PORT", "RETR"}, {"reset", "close", "partial", "long"}, false, {}, ""},
        {Operation::Retrieve, {"RETR"}, {"nodata", "datareset", "nofinal"}, false, {}, ""},
        {Operation::Retrieve, {"TYPE", "PORT"}, {"longline"}, true, {}, "226 Transfer complete"},
        {Operation::List,
         {"LIST"},
         {"reset", "close", "partial", "long", "nodata", "datareset", "nofinal"},
         false,
         {},
         ""},
        {Operation::Store,
         {"STOR"},
         {"reset", "close", "partial", "long", "nodata", "datareset", "nofinal"},
         false,
         {},
         ""},
    };
    TempDirectory directory("ffd");
    const std::string local = directory.file("local.bin");
    const std::string old(300000, 'k'); // bigger than one data block: an upload needs several sends
    int cases = 0;
    for (const auto& g : groups)
        for (const char* verb : g.verbs)
            for (const char* stage : g.stages) {
                const std::string name = std::string("drop_") + verb + "_" + stage;
                ASSERT_TRUE(writeBytes(local, old));
                ASSERT_TRUE(servers.scenario(name.c_str())) << name;
                recorder.boxes.clear();
                const Outcome outcome = run(g.operation, local);
                const Lines transcript = servers.transcript();
                EXPECT_EQ(g.success, outcome.success) << name << testing::PrintToString(transcript);
                EXPECT_LT(outcome.elapsed, 6000u) << name;
                if (outcome.elapsed >= 1000) {
                    EXPECT_GE(ticks, 5) << name << ": messages were not dispatched while waiting";
                }
                EXPECT_EQ(g.boxes, recorder.boxes)
                    << name << " after " << outcome.elapsed << " ms, " << ticks << " ticks";
                if (!g.lastLine.empty()) {
                    EXPECT_EQ(g.lastLine, outcome.lastLine) << name;
                }
                // A failed download leaves the old file; an upload never touches its source.
                const bool replaced = g.success && g.operation == Operation::Retrieve;
                EXPECT_TRUE(replaced ? readBytes(local).size() == 102400 : readBytes(local) == old) << name;
                EXPECT_EQ(Lines{"local.bin"}, filesMatching(directory.path(), "*")) << name;
                ++cases;
            }
    EXPECT_EQ(46, cases);
}
