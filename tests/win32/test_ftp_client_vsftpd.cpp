// The FTP client under Wine against a real vsftpd on 127.0.0.1: logins with
// and without password, listings, a 5 MB download, uploads, a missing remote
// file and QUIT, checked against the files vsftpd serves and its command log.
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

std::size_t logSize(const std::string& log) {
    return readBytes(log).size();
}

// The commands vsftpd logged since offset, PORT arguments left out.
Lines commandsSince(const std::string& log, std::size_t offset) {
    Lines commands = vsftpdCommands(log, offset);
    for (std::string& command : commands) {
        if (command.rfind("PORT ", 0) == 0)
            command = "PORT";
    }
    return commands;
}

} // namespace

TEST(FtpVsftpd, LoginsListingsAndTransfers) {
    const FtpServers servers = FtpServers::load();
    if (servers.vsftpdPort == 0)
        GTEST_SKIP() << "vsftpd is not running (the test command runs it as root)";
    setDeliverable(kExtensionProfile);
    FtpServiceEntry service(servers.vsftpdPort);
    BoxRecorder recorder;
    TempDirectory local("ftv");

    if (!servers.localUser.empty()) {
        const std::size_t offset = logSize(servers.log);
        {
            ftp::FtpClient client;
            EXPECT_TRUE(client.login("127.0.0.1", servers.localUser, servers.localPassword, ""));
        }
        EXPECT_EQ((Lines{"USER " + servers.localUser, "PASS <password>", "QUIT"}), commandsSince(servers.log, offset));
    }

    const std::size_t offset = logSize(servers.log);
    const std::string name = "up" + std::to_string(GetTickCount());
    std::string upload;
    for (unsigned i = 0; i < 300000; ++i)
        upload += static_cast<char>((i * 7919u) >> 3);
    ASSERT_TRUE(writeBytes(local.file("up.bin"), upload));
    ASSERT_TRUE(writeBytes(local.file("empty.bin"), ""));
    {
        ftp::FtpClient client;
        ASSERT_TRUE(client.login("127.0.0.1", "anonymous", "", ""));
        ASSERT_TRUE(client.listDirectory(local.file("root.txt"), ""));
        ASSERT_TRUE(client.listDirectory(local.file("pub.txt"), "/pub"));
        ASSERT_TRUE(client.retrieveFile(local.file("big.bin"), "/pub/big.bin", 0));
        EXPECT_TRUE(client.storeFile(local.file("up.bin"), "/incoming/" + name + ".bin", 0));
        EXPECT_TRUE(client.storeFile(local.file("empty.bin"), "/incoming/" + name + ".empty", 0));
        EXPECT_FALSE(client.retrieveFile(local.file("missing.bin"), "/pub/missing.bin", 0));
        EXPECT_TRUE(client.connected());
    }
    EXPECT_EQ((Lines{"USER anonymous",
                     "TYPE A",
                     "PORT",
                     "LIST",
                     "TYPE A",
                     "PORT",
                     "LIST /pub",
                     "TYPE I",
                     "PORT",
                     "RETR /pub/big.bin",
                     "TYPE I",
                     "PORT",
                     "STOR /incoming/" + name + ".bin",
                     "TYPE I",
                     "PORT",
                     "STOR /incoming/" + name + ".empty",
                     "TYPE I",
                     "PORT",
                     "RETR /pub/missing.bin",
                     "QUIT"}),
              commandsSince(servers.log, offset));

    const std::string root = readBytes(local.file("root.txt"));
    EXPECT_NE(std::string::npos, root.find(" pub\r\n")) << root;
    EXPECT_NE(std::string::npos, root.find(" incoming\r\n")) << root;
    EXPECT_NE(std::string::npos, readBytes(local.file("pub.txt")).find(" big.bin\r\n"));
    const std::string big = readBytes(local.file("big.bin"));
    EXPECT_EQ(5u * 1024 * 1024, big.size());
    EXPECT_TRUE(big == readBytes(servers.tree + "\\pub\\big.bin")) << "the download differs from the served file";
    EXPECT_TRUE(upload == readBytes(servers.tree + "\\incoming\\" + name + ".bin"));
    EXPECT_TRUE(fileExists(servers.tree + "\\incoming\\" + name + ".empty"));
    EXPECT_EQ("", readBytes(servers.tree + "\\incoming\\" + name + ".empty"));
    EXPECT_FALSE(fileExists(local.file("missing.bin")));
    Lines left = filesMatching(local.path(), "*");
    std::sort(left.begin(), left.end());
    EXPECT_EQ((Lines{"big.bin", "empty.bin", "pub.txt", "root.txt", "up.bin"}), left) << "no temporary file is left";
    EXPECT_EQ(Lines{"stop: FTP Fehler:\n550 Failed to open file."}, recorder.boxes);
}
