// The FTP trees' rules: listing lines, the listing file's place, and where a
// dropped file is copied.
#include <gtest/gtest.h>

#include "extension/ftp/listing_file.h"
#include "extension/ftp/tree_paths.h"

using ftp::EntryKind;

TEST(FtpTrees, ListingLines) {
    const struct {
        const char* line;
        const char* name; // nullptr: no item
        EntryKind kind;
    } cases[] = {
        {"drwxr-xr-x 2 ftp ftp 512 Jan 1 1996 pub", "pub", EntryKind::Directory},
        {"-rw-r--r--    1 0        0              26 Dec 08 15:00 README\r\n", "README", EntryKind::File},
        {"-rw-r--r-- 1 ftp ftp 12 Mar  3 10:11 two  words.txt\n", "two  words.txt", EntryKind::File},
        {"-rw-r--r-- 1 ftp 12 Mar 3 10:11 short.txt", "short.txt", EntryKind::File}, // no group: last word
        {"-rw-r--r-- 1 ftp 12 Mar 3 10:11 my file", "file", EntryKind::File},
        {"total 12", nullptr, EntryKind::File},
        {"lrwxrwxrwx 1 ftp ftp 4 Jan 1 1996 link -> pub", nullptr, EntryKind::File},
        {"crw-rw-rw- 1 0 0 1, 3 Jan 1 1996 null", nullptr, EntryKind::File},
        {"-nameless", nullptr, EntryKind::File},
        {"drwxr-xr-x 2 ftp ftp 512 Jan 1 1996 .", nullptr, EntryKind::Directory},
        {"drwxr-xr-x 2 ftp ftp 512 Jan 1 1996 ..", nullptr, EntryKind::Directory},
        {"", nullptr, EntryKind::File},
    };
    for (const auto& c : cases) {
        const auto entry = ftp::parseListingLine(c.line);
        if (c.name == nullptr) {
            EXPECT_FALSE(entry.has_value()) << c.line;
            continue;
        }
        ASSERT_TRUE(entry.has_value()) << c.line;
        EXPECT_EQ(c.name, entry->name) << c.line;
        EXPECT_EQ(c.kind, entry->kind) << c.line;
    }
}

TEST(FtpTrees, ListingFilePath) {
    EXPECT_EQ("C:\\TEMP\\korbinex.ftp", ftp::listingTempFilePath("C:\\TEMP", "D:\\TMP"));
    EXPECT_EQ("C:\\TEMP\\korbinex.ftp", ftp::listingTempFilePath("C:\\TEMP\\", nullptr));
    EXPECT_EQ("C:\\TMP\\korbinex.ftp", ftp::listingTempFilePath(nullptr, "C:\\TMP"));
    EXPECT_EQ("C:\\TMP\\korbinex.ftp", ftp::listingTempFilePath("", "C:\\TMP"));
    EXPECT_EQ("C:\\korbinex.ftp", ftp::listingTempFilePath(nullptr, nullptr));
}

TEST(FtpTrees, DropDestinations) {
    const struct {
        const char* item;
        bool directory;
        char separator;
        const char* source;
        char sourceSeparator;
        const char* destination;
    } cases[] = {
        {"/pub", true, '/', "C:\\DOCS\\A.TXT", '\\', "/pub/A.TXT"},
        {"/pub/readme.txt", false, '/', "C:\\DOCS\\B.TXT", '\\', "/pub/B.TXT"},
        {"/README", false, '/', "C:\\DOCS\\A.TXT", '\\', "/A.TXT"}, // top-level file: the root
        {"C:\\DOCS\\X.TXT", false, '\\', "/pub/big.bin", '/', "C:\\DOCS\\big.bin"},
        {"C:\\X.TXT", false, '\\', "/README", '/', "C:\\README"},
        {"C:\\DOCS", true, '\\', "/a/b/c.txt", '/', "C:\\DOCS\\c.txt"},
    };
    for (const auto& c : cases) {
        const std::string directory = ftp::dropDirectory(c.item, c.directory, c.separator);
        EXPECT_EQ(c.destination, ftp::copyDestination(directory, c.separator, c.source, c.sourceSeparator)) << c.item;
    }
    EXPECT_EQ("/pub/x", ftp::childPath("/pub", "x", '/'));
    EXPECT_EQ("/pub", ftp::childPath("", "pub", '/'));
    EXPECT_EQ("C:\\d", ftp::childPath("C:", "d", '\\'));
    EXPECT_EQ("x.txt", ftp::lastPathPart("C:\\a\\x.txt", '\\'));
}
