// Command 9 against a server that fails, as the user meets it: the real
// korbinen.dll in the stand-in File Manager, the scripted server, real mouse
// input. The connection dropped after the login, during a listing, in the
// middle of a download and of an upload; a listing of junk; a reply without a
// code; a server that stops answering; logins refused in odd ways. Each case:
// the messages shown, the dialog still usable until the user closes it, the
// thread's messages dispatched throughout, the local files intact, no
// temporary file left, and no older listing passed off as a new one.
// wine-fixtures: ftp_servers
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win32/support/ftp_dialog_script.h"
#include "tests/win32/support/ftp_servers.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using namespace ftpdialog;

constexpr char kDrive = 'W';
const std::string kOldLocal = "the local file before the download";
const std::string kRootListing = "drwxr-xr-x 2 ftp ftp 512 Jan 01 1996 pub\r\n"
                                 "-rw-r--r-- 1 ftp ftp 102400 Jan 01 1996 file.bin\r\n";
const std::string kStaleListing = "drwxr-xr-x 2 ftp ftp 512 Jan 01 1996 stale\r\n";
const std::string kLost = "exclamation: no connection possible !";

// What the user does in the FTP dialog once it is open.
enum class Act { Expand, Download, Upload };

// What every download of the scripted server delivers.
std::string payload() {
    std::string bytes;
    for (int i = 0; i < 400; ++i)
        for (int b = 0; b < 256; ++b)
            bytes += static_cast<char>(b);
    return bytes;
}

// The row of the remote tree's only top-level file.
int remoteFileRow(HWND dialog) {
    const std::string shown = rows(GetDlgItem(dialog, kRemote));
    int row = 0;
    for (std::size_t at = 0; at < shown.size(); at += 3, ++row)
        if (shown.compare(at, 2, "f0") == 0)
            return row;
    return 99;
}

std::string tempDirectory() {
    char temp[MAX_PATH] = "";
    GetEnvironmentVariableA("TEMP", temp, sizeof temp);
    return temp;
}

} // namespace

TEST(FaultFtpDialog, WhatTheUserSeesWhenTheServerFails) {
    const FtpServers servers = FtpServers::load();
    if (servers.scriptedPort == 0)
        GTEST_SKIP() << "the FTP test servers are not running";
    FtpServiceEntry service(servers.scriptedPort);
    const std::string upload(2 * 1024 * 1024, 'u'); // more than the sockets buffer
    SearchTree local;
    ASSERT_TRUE(local.file("file.bin", kOldLocal) && local.file("up.bin", upload));
    ASSERT_TRUE(mapDrive(kDrive, local.root()));
    const std::string drive = std::string(1, kDrive) + ":";
    const Lines order = localOrder(drive);
    const std::string listing = tempDirectory() + "\\korbinex.ftp";
    const std::string delivered = payload();

    HostFixture host;
    ASSERT_TRUE(host.loadLibrary() && host.sendLoad());
    host.state.currentDirectory = drive + "\\";
    BoxRecorder boxes;
    const struct {
        const char* scenario;
        std::vector<Act> acts; // none: no FTP dialog is expected
        Lines boxes;
        std::string remoteRows;  // at the end
        std::string localFile;   // file.bin afterwards
        std::string listingFile; // "" not checked
    } cases[] = {
        // The older listing in the file must not fill the tree.
        {"ui_after_login", {}, {kLost}, "", kOldLocal, kStaleListing},
        // Every later attempt is told at once that there is no connection.
        {"ui_list_reset", {Act::Expand, Act::Expand}, {kLost, kLost}, "d0 f0", kOldLocal, kRootListing},
        {"ui_list_data_reset", {Act::Expand, Act::Download}, {kLost, kLost}, "d0 f0", kOldLocal, kRootListing},
        {"ui_list_silent", {Act::Expand, Act::Upload}, {kLost, kLost}, "d0 f0", kOldLocal, kRootListing},
        {"ui_retr_drop", {Act::Download, Act::Expand}, {kLost, kLost}, "d0 f0", kOldLocal, kRootListing},
        {"ui_stor_drop", {Act::Upload, Act::Download}, {kLost, kLost}, "d0 f0", kOldLocal, kRootListing},
        // Junk around one good line: that line is shown, and the connection still serves.
        {"ui_list_garbage", {Act::Expand, Act::Download}, {}, "d0 d1 f0", delivered, ""},
        // A reply without a code: the listing fails without a word, the connection still serves.
        {"ui_list_codeless", {Act::Expand, Act::Download}, {}, "d0 f0", delivered, kRootListing},
        {"ui_refused_codeless", {}, {"exclamation: FTP Logon Fehler:\nGo away", kLost}, "", kOldLocal, ""},
        {"ui_refused_multiline",
         {},
         {"stop: FTP Fehler:\n530-Access denied", "stop: FTP Fehler:\n530 Goodbye",
          "exclamation: FTP Logon Fehler:\n530 Goodbye", kLost},
         "",
         kOldLocal,
         ""},
    };
    for (const auto& c : cases) {
        const bool refused = std::string(c.scenario).find("refused") != std::string::npos;
        // Only the silent server takes the client's whole reply time-out (30 s).
        const int longestAct = std::string(c.scenario) == "ui_list_silent" ? 40000 : 8000;
        ASSERT_TRUE(writeBytes(local.path("file.bin"), kOldLocal));
        ASSERT_TRUE(writeBytes(listing, kStaleListing));
        ASSERT_TRUE(servers.scenario(c.scenario)) << c.scenario;
        boxes.boxes.clear();
        std::string fields, remoteRows = "(no FTP dialog)";
        MouseScript script;
        auto localRow = [&](const char* name) { return [&, name] { return indexIn(order, name); }; };
        HWND shown = nullptr;
        script.then(0, [&](HWND d) { shown = d; });
        for (std::size_t i = 0; i < c.acts.size(); ++i) {
            const Act act = c.acts[i];
            if (act == Act::Expand)
                script.doubleClick(kRemote, [] { return 0; });
            if (act == Act::Download) {
                script.click(kRemote, [&] { return remoteFileRow(shown); });
                script.drag(
                    kRemote, [&] { return remoteFileRow(shown); }, kLocal, localRow("file.bin"));
            }
            if (act == Act::Upload) {
                script.click(kLocal, localRow("up.bin"));
                script.drag(kLocal, localRow("up.bin"), kRemote, [] { return 0; });
            }
            // Each act that fails shows its message once it has ended.
            const std::size_t shownByNow = std::min(i + 1, c.boxes.size());
            script.waitFor([&boxes, shownByNow] { return boxes.boxes.size() >= shownByNow; }, longestAct);
        }
        script.then(300, [&](HWND d) {
            remoteRows = rows(GetDlgItem(d, kRemote));
            Robot::click(d, IDCANCEL);
        });
        const DWORD start = GetTickCount();
        {
            Robot robot(60000);
            robot.onDialog("Anmeldung", logIn("anonymous", "guest", fields));
            if (!refused)
                robot.onDialog("Ftp", script.action());
            host.call(9);
            EXPECT_TRUE(robot.done() && robot.failures().empty()) << c.scenario << ": the robot did not finish";
        }
        const DWORD elapsed = GetTickCount() - start;
        EXPECT_EQ(c.boxes, boxes.boxes) << c.scenario << testing::PrintToString(servers.transcript());
        EXPECT_EQ(refused ? "(no FTP dialog)" : c.remoteRows, remoteRows) << c.scenario;
        EXPECT_LT(script.longestGapMs, 1000u) << c.scenario << ": the dialog stopped answering";
        EXPECT_LT(elapsed, 45000u) << c.scenario;
        EXPECT_TRUE(threadDialogs().empty()) << c.scenario << ": a window was left open";
        EXPECT_TRUE(readBytes(local.path("file.bin")) == c.localFile) << c.scenario << ": file.bin was changed";
        EXPECT_TRUE(readBytes(local.path("up.bin")) == upload) << c.scenario << ": the upload's source was changed";
        EXPECT_EQ((Lines{"file.bin", "up.bin"}), filesMatching(local.root(), "*")) << c.scenario;
        EXPECT_EQ(Lines{}, filesMatching(tempDirectory(), "kft*.tmp")) << c.scenario;
        if (!c.listingFile.empty()) {
            EXPECT_EQ(c.listingFile, readBytes(listing)) << c.scenario;
        }
    }
    unmapDrive(kDrive);
}
