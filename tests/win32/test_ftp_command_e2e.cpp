// Command 9 end to end: the real korbinen.dll in the stand-in File Manager,
// vsftpd as the server, and real mouse input from the robot. Login through
// the dialog, both trees filled and expanded, files dragged both ways (checked
// on the server's disk, on the local drive and in vsftpd's command log), the
// drags that are refused, and a failed login.
// wine-fixtures: ftp_servers
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/support/ftp_dialog_script.h"
#include "tests/win32/support/ftp_servers.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using namespace ftpdialog;
constexpr char kDrive = 'Y';

} // namespace

TEST(FtpCommand, LoginTreesAndDragsAgainstVsftpd) {
    const FtpServers servers = FtpServers::load();
    if (servers.vsftpdPort == 0 || servers.localUser.empty())
        GTEST_SKIP() << "vsftpd with its local user is not running (the test command runs it as root)";
    FtpServiceEntry service(servers.vsftpdPort);
    SearchTree local;
    for (const char* name : {"A.TXT", "B.TXT", "X.TXT", "SUB\\Z.TXT"})
        ASSERT_TRUE(local.file(name, std::string("contents of ") + name));
    // Not shown: a name with a leading period. Shown as a file: a hidden directory.
    ASSERT_TRUE(local.file(".dot") && local.folder("HID"));
    SetFileAttributesA(local.path("HID").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(mapDrive(kDrive, local.root()));
    const std::string drive = std::string(1, kDrive) + ":";
    const Lines top = localOrder(drive);
    ASSERT_EQ(5u, top.size());
    const std::size_t logStart = readBytes(servers.log).size();

    HostFixture host;
    ASSERT_TRUE(host.loadLibrary() && host.sendLoad());
    host.state.currentDirectory = drive + "\\SUB";
    BoxRecorder boxes;
    std::string loginFields, titles, remoteRows, expandedRows, localRows;
    MouseScript script;
    auto at = [](int index) { return [index] { return index; }; };
    // Rows of the local tree; once SUB is open its child Z.TXT follows it.
    bool subOpen = false;
    auto local_ = [&](const char* name) {
        return [&, name] {
            const int row = indexIn(top, name);
            return row + (subOpen && row > indexIn(top, "SUB") ? 1 : 0);
        };
    };
    auto z = [&] { return indexIn(top, "SUB") + 1; };
    script.then(0, [&](HWND d) {
        titles = Robot::itemText(d, 266) + "|" + Robot::itemText(d, 269);
        remoteRows = rows(GetDlgItem(d, kRemote));
        localRows = rows(GetDlgItem(d, kLocal));
    });
    // /pub opens; two local files go onto it.
    script.doubleClick(kRemote, at(1));
    script.then(200, [&](HWND d) { expandedRows = rows(GetDlgItem(d, kRemote)); });
    script.click(kLocal, local_("A.TXT"));
    script.click(kLocal, local_("B.TXT"), true);
    script.drag(kLocal, local_("B.TXT"), kRemote, at(1));
    // incoming is not the user's: both uploads fail, the second is still tried.
    script.drag(kLocal, local_("B.TXT"), kRemote, at(0));
    // SUB opens; /pub/readme.txt goes onto SUB\Z.TXT, that is next to it.
    script.click(kLocal, local_("SUB"));
    script.doubleClick(kLocal, local_("SUB"));
    script.then(200, [&](HWND d) { subOpen = rows(GetDlgItem(d, kLocal)).find("f1") != std::string::npos; });
    script.click(kRemote, at(3));
    script.drag(kRemote, at(3), kLocal, z);
    // A directory among the dragged rows; a drop onto its own tree; a drop on no row.
    script.click(kLocal, local_("X.TXT"));
    script.click(kLocal, local_("SUB"), true);
    script.drag(kLocal, local_("X.TXT"), kRemote, at(0));
    script.click(kRemote, at(3));
    script.drag(kRemote, at(3), kRemote, at(0));
    script.click(kLocal, local_("X.TXT"));
    script.drag(kLocal, local_("X.TXT"), kRemote, at(99));
    script.then(300, [](HWND d) { Robot::click(d, IDCANCEL); });

    {
        Robot robot(60000);
        robot.onDialog("Anmeldung", logIn(servers.localUser, servers.localPassword, loginFields));
        robot.onDialog("Ftp", script.action());
        host.call(9);
        EXPECT_TRUE(robot.done() && robot.failures().empty()) << "the robot did not finish";
    }
    EXPECT_EQ("[]31[]31[]31[]31", loginFields);
    const HCURSOR plainCopy = LoadCursorA(host.library(), MAKEINTRESOURCEA(193));
    EXPECT_EQ(std::vector<HCURSOR>(6, plainCopy), script.cursors) << "every drag shows the trees' own cursor";
    EXPECT_EQ("127.0.0.1 - " + servers.localUser + "|" + drive, titles);
    EXPECT_EQ("d0 d0", remoteRows) << "incoming and pub";
    std::string expectedLocal;
    for (const std::string& name : top)
        expectedLocal += std::string(expectedLocal.empty() ? "" : " ") + (name == "SUB" ? "d0" : "f0");
    EXPECT_EQ(expectedLocal, localRows);
    EXPECT_TRUE(subOpen) << "SUB opened on the local side";
    EXPECT_EQ("d0 d0 f1 f1", expandedRows) << "pub holds big.bin and readme.txt";

    const bool aFirst = indexIn(top, "A.TXT") < indexIn(top, "B.TXT");
    Lines uploads;
    for (const char* directory : {"/pub/", "/incoming/"})
        for (const char* name : {aFirst ? "A.TXT" : "B.TXT", aFirst ? "B.TXT" : "A.TXT"})
            uploads.push_back(std::string("STOR ") + directory + name);
    Lines expected{
        "USER " + servers.localUser, "PASS <password>", "TYPE A", "PORT", "LIST", "TYPE A", "PORT", "LIST /pub"};
    for (const std::string& upload : uploads)
        expected.insert(expected.end(), {"TYPE I", "PORT", upload});
    expected.insert(expected.end(), {"TYPE I", "PORT", "RETR /pub/readme.txt", "QUIT"});
    Lines commands = vsftpdCommands(servers.log, logStart);
    for (std::string& command : commands)
        if (command.rfind("PORT ", 0) == 0)
            command = "PORT";
    EXPECT_EQ(expected, commands);
    EXPECT_EQ("contents of A.TXT", readBytes(servers.tree + "\\pub\\A.TXT"));
    EXPECT_EQ("contents of B.TXT", readBytes(servers.tree + "\\pub\\B.TXT"));
    EXPECT_EQ("served by the test set-up\n", readBytes(local.path("SUB\\readme.txt")));
    const std::string refused = "stop: FTP Fehler:\n553 Could not create file.";
    EXPECT_EQ((Lines{refused, refused, "exclamation: bitte nur Dateien selekieren !",
                     "exclamation: dies wird nicht unterstützt !"}),
              boxes.boxes);
    char temp[MAX_PATH] = "";
    GetEnvironmentVariableA("TEMP", temp, sizeof temp);
    EXPECT_NE(std::string::npos, readBytes(std::string(temp) + "\\korbinex.ftp").find(" readme.txt"))
        << "the last listing stays in place";

    // A wrong password: the server's refusal, then the command's own message.
    boxes.boxes.clear();
    loginFields.clear();
    {
        Robot robot;
        robot.onDialog("Anmeldung", logIn(servers.localUser, "wrong", loginFields));
        host.call(9);
    }
    EXPECT_EQ("[]31[]31[]31[]31", loginFields) << "the fields start empty every time";
    EXPECT_EQ((Lines{"stop: FTP Fehler:\n530 Login incorrect.", "exclamation: FTP Logon Fehler:\n530 Login incorrect.",
                     "exclamation: no connection possible !"}),
              boxes.boxes);
    unmapDrive(kDrive);
}
