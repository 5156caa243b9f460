// Command routing in the real korbinen.dll under a scripted File Manager:
// delegation writes the selection list and starts the real quorvinx.exe,
// refresh reaches the host, old Windows keeps the file tools in-process.
//
// What the helper received is observed, not faked: a watcher thread opens
// each new list file as soon as it appears (sharing delete, so the helper's
// DeleteFileA still succeeds; the file goes when our handle closes) and reads
// the new quorvinx.exe process's command line from its process parameters.
// Dialogs the helper's tools show (their prompts) are closed with Cancel.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <atomic>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/win/pending_messages.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/test_files.h"

namespace {

std::string toAnsi(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

template <typename T> bool readRemote(HANDLE process, const void* address, T& out) {
    SIZE_T got = 0;
    return ReadProcessMemory(process, address, &out, sizeof out, &got) && got == sizeof out;
}

// The command line another process was started with, from its process
// parameters; "" while they are not set up yet.
std::string remoteCommandLine(HANDLE process) {
    using QueryProcess = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (query == nullptr || query(process, 0, &basic, sizeof basic, nullptr) != 0)
        return {};
    PEB peb{};
    if (!readRemote(process, basic.PebBaseAddress, peb) || peb.ProcessParameters == nullptr)
        return {};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!readRemote(process, peb.ProcessParameters, parameters))
        return {};
    DWORD flags = 0; // bit 0: pointers are absolute, otherwise offsets from the block
    std::memcpy(&flags, parameters.Reserved1 + 8, sizeof flags);
    const UNICODE_STRING& line = parameters.CommandLine;
    if (line.Length == 0 || line.Buffer == nullptr)
        return {};
    const char* address = reinterpret_cast<const char*>(line.Buffer);
    if (!(flags & 1))
        address = reinterpret_cast<const char*>(peb.ProcessParameters) + reinterpret_cast<UINT_PTR>(line.Buffer);
    std::wstring text(line.Length / sizeof(wchar_t), L'\0');
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, address, text.data(), line.Length, &got) || got != line.Length)
        return {};
    return toAnsi(text);
}

std::set<DWORD> helperProcesses() {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "quorvinx.exe") == 0)
            ids.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

// Watches a directory for a new list file and the system for a new helper
// process from construction on.
class DelegationWatcher {
public:
    explicit DelegationWatcher(std::string directory) : directory_(std::move(directory)) {
        for (const std::string& name : filesMatching(directory_, "zqk*.tmp"))
            knownFiles_.insert(name);
        knownHelpers_ = helperProcesses();
        thread_ = CreateThread(nullptr, 0, &DelegationWatcher::watch, this, 0, nullptr);
    }
    ~DelegationWatcher() {
        stop();
        releaseList();
        if (helper_ != nullptr) {
            closeHelperWindows();
            if (WaitForSingleObject(helper_, 5000) != WAIT_OBJECT_0)
                TerminateProcess(helper_, 99);
            CloseHandle(helper_);
        }
    }
    DelegationWatcher(const DelegationWatcher&) = delete;
    DelegationWatcher& operator=(const DelegationWatcher&) = delete;

    // Waits until both the list file and the helper were seen, up to ms.
    void waitForBoth(int ms) {
        const DWORD start = GetTickCount();
        while (!(listSeen_ && helperSeen_) && static_cast<int>(GetTickCount() - start) < ms)
            Sleep(5);
        stop();
    }
    // Watches for ms and stops: for checks that nothing appears.
    void watchFor(int ms) {
        Sleep(static_cast<DWORD>(ms));
        stop();
    }

    bool listSeen() const { return listSeen_; }
    bool helperSeen() const { return helperSeen_; }
    const std::string& listName() const { return listName_; }
    const std::string& helperCommandLine() const { return commandLine_; }

    // The list file's bytes, read through the handle opened when it appeared.
    std::string listBytes() const {
        std::string bytes;
        if (list_ == INVALID_HANDLE_VALUE)
            return bytes;
        SetFilePointer(list_, 0, nullptr, FILE_BEGIN);
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(list_, buffer, sizeof buffer, &got, nullptr) && got > 0)
            bytes.append(buffer, got);
        return bytes;
    }

    // Waits for the helper to end, closing every dialog it shows with Cancel
    // (or OK, for a message box).
    bool waitForHelperEnd(int ms) {
        if (helper_ == nullptr)
            return false;
        const DWORD start = GetTickCount();
        while (WaitForSingleObject(helper_, 50) != WAIT_OBJECT_0) {
            if (static_cast<int>(GetTickCount() - start) > ms)
                return false;
            closeHelperWindows();
        }
        return true;
    }

    // Closes our handle on the list file: a file the helper deleted goes now.
    void releaseList() {
        if (list_ != INVALID_HANDLE_VALUE)
            CloseHandle(list_);
        list_ = INVALID_HANDLE_VALUE;
    }

private:
    static DWORD WINAPI watch(void* self) {
        static_cast<DelegationWatcher*>(self)->run();
        return 0;
    }

    void run() {
        while (!stopping_) {
            if (!listSeen_)
                lookForList();
            if (helper_ == nullptr)
                lookForHelper();
            else if (commandLine_.empty())
                commandLine_ = remoteCommandLine(helper_);
            helperSeen_ = helper_ != nullptr && !commandLine_.empty();
            Sleep(1);
        }
    }

    void lookForList() {
        for (const std::string& name : filesMatching(directory_, "zqk*.tmp")) {
            if (knownFiles_.count(name))
                continue;
            list_ =
                CreateFileA((directory_ + "\\" + name).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
            if (list_ != INVALID_HANDLE_VALUE) {
                listName_ = name;
                listSeen_ = true;
                return;
            }
        }
    }

    void lookForHelper() {
        for (DWORD id : helperProcesses()) {
            if (knownHelpers_.count(id))
                continue;
            helper_ = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
            if (helper_ != nullptr) {
                helperId_ = id;
                return;
            }
        }
    }

    void closeHelperWindows() {
        for (HWND window : processWindows(helperId_))
            remoteClick(window, GetDlgItem(window, IDCANCEL) ? IDCANCEL : IDOK);
    }

    void stop() {
        if (thread_ == nullptr)
            return;
        stopping_ = true;
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        thread_ = nullptr;
    }

    std::string directory_;
    std::set<std::string> knownFiles_;
    std::set<DWORD> knownHelpers_;
    HANDLE thread_ = nullptr;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> listSeen_{false};
    std::atomic<bool> helperSeen_{false};
    HANDLE list_ = INVALID_HANDLE_VALUE;
    std::string listName_;
    HANDLE helper_ = nullptr;
    DWORD helperId_ = 0;
    std::string commandLine_;
};

// Makes a directory the current one for the scope: the File Manager's
// current directory is where list files are created.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path) {
        GetCurrentDirectoryA(sizeof previous_, previous_);
        SetCurrentDirectoryA(path.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryA(previous_); }

private:
    char previous_[MAX_PATH] = "";
};

bool windowsNewerThan350() {
    const DWORD version = GetVersion();
    return LOBYTE(LOWORD(version)) > 3 || HIBYTE(LOWORD(version)) > 50;
}

std::vector<HostMessage> hostQueries(const HostFixture& host) {
    std::vector<HostMessage> queries;
    for (const HostMessage& m : host.received()) {
        if (m.message != WM_COMMAND)
            queries.push_back(m);
    }
    return queries;
}

std::string describe(const std::vector<HostMessage>& messages) {
    std::string text;
    for (const HostMessage& m : messages)
        text += std::to_string(m.message) + "/" + std::to_string(m.wParam) + " ";
    return text;
}

bool sameQueries(const std::vector<HostMessage>& got, const std::vector<std::pair<UINT, WPARAM>>& expected) {
    if (got.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i].message != expected[i].first || got[i].wParam != expected[i].second)
            return false;
    }
    return true;
}

struct DelegationCase {
    const char* name;
    int command;
    int focus;
    std::vector<std::string> selected; // names in the directory; a trailing "\\" marks a directory
    bool listIsCurrentDirectory;
    char letter;
};

void checkDelegation(const DelegationCase& c) {
    SCOPED_TRACE(c.name);
    TempDirectory dir;
    CurrentDirectory current(dir.path());
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    host.state.focus = c.focus;
    host.state.currentDirectory = dir.path();
    std::string expectedList;
    std::vector<std::pair<UINT, WPARAM>> expectedQueries = {{FM_GETSELCOUNTLFN, 0}, {FM_GETFOCUS, 0}};
    for (std::string name : c.selected) {
        const bool directory = !name.empty() && name.back() == '\\';
        if (directory) {
            name.pop_back();
            CreateDirectoryA(dir.file(name).c_str(), nullptr);
        } else {
            writeBytes(dir.file(name), "content\r\n");
        }
        host.state.selection.push_back({dir.file(name), static_cast<BYTE>(directory ? 16 : 0), 9});
    }
    if (c.listIsCurrentDirectory) {
        expectedList = dir.path() + "\r\n";
        expectedQueries.push_back({FM_GETDRIVEINFO, 0});
    } else {
        for (std::size_t i = 0; i < host.state.selection.size(); ++i) {
            expectedList += host.state.selection[i].path + "\r\n";
            expectedQueries.push_back({FM_GETFILESELLFN, i});
        }
    }

    DelegationWatcher watcher(dir.path());
    EXPECT_EQ(0, host.call(static_cast<WORD>(c.command)));
    watcher.waitForBoth(10000);
    ASSERT_TRUE(watcher.listSeen()) << "no list file was written";
    ASSERT_TRUE(watcher.helperSeen()) << "no helper was started";
    EXPECT_EQ(expectedList, watcher.listBytes());
    const std::string expectedLine = std::string("quorvinx.exe ") + c.letter + " .\\" + watcher.listName();
    EXPECT_EQ(0, lstrcmpiA(expectedLine.c_str(), watcher.helperCommandLine().c_str()))
        << "expected " << expectedLine << ", got " << watcher.helperCommandLine();
    EXPECT_TRUE(sameQueries(hostQueries(host), expectedQueries)) << "host got " << describe(hostQueries(host));
    EXPECT_TRUE(threadDialogs().empty()) << "the extension showed a dialog";

    ASSERT_TRUE(watcher.waitForHelperEnd(20000)) << "the helper did not end";
    watcher.releaseList();
    EXPECT_FALSE(fileExists(dir.file(watcher.listName()))) << "the helper left its list file";
    for (const std::string& name : c.selected) {
        if (!name.empty() && name.back() == '\\')
            RemoveDirectoryA(dir.file(name.substr(0, name.size() - 1)).c_str());
    }
}

} // namespace

TEST(Delegation, NewerWindowsHandsTheFileToolsToTheHelper) {
    ASSERT_TRUE(windowsNewerThan350()) << "this test needs the default Windows version of the prefix";
    const DelegationCase cases[] = {
        {"tree focus with a directory selected, search in files", 16, FMFOCUS_TREE, {"sub\\"}, true, '1'},
        {"three files and a directory in a file list, equal files",
         17,
         FMFOCUS_DIR,
         {"b.txt", "a.txt", "dir\\", "c.dat"},
         false,
         '2'},
        {"nothing selected in a file list, file sizes", 11, FMFOCUS_DIR, {}, true, '3'},
        {"search results, file-name search", 21, FMFOCUS_SEARCH, {"x.txt"}, false, '4'},
        {"drive bar focus, file date", 20, FMFOCUS_DRIVES, {"a.txt"}, true, '5'},
        {"one file, attributes",
         19,
         FMFOCUS_DIR,
         {"gr\xf6\xdf"
          "e.txt"},
         false,
         '6'},
    };
    for (const DelegationCase& c : cases)
        checkDelegation(c);
}

// Started as a copy of this program in a directory without the helper.
TEST(DISABLED_InCopy, HelperMissing) {
    TempDirectory dir;
    CurrentDirectory current(dir.path());
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    host.state.focus = FMFOCUS_DIR;
    ASSERT_TRUE(writeBytes(dir.file("a.txt"), "x"));
    host.state.selection = {{dir.file("a.txt"), 0, 1}};
    std::vector<std::pair<std::string, std::string>> boxes;
    Robot robot;
    robot.onMessageBox([&](HWND box, const std::string& text, const std::string& caption) {
        boxes.emplace_back(text, caption);
        Robot::click(box, IDOK);
    });
    EXPECT_EQ(0, host.call(16));
    EXPECT_TRUE(robot.failures().empty()) << "no message box came";
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Error: QuorvinX nicht gefunden", boxes[0].first);
    EXPECT_EQ("korbinen.dll", boxes[0].second);
    const std::vector<std::string> left = filesMatching(dir.path(), "zqk*.tmp");
    ASSERT_EQ(1u, left.size()) << "the list file should stay in the current directory";
    EXPECT_EQ(dir.file("a.txt") + "\r\n", readBytes(dir.file(left[0])));
    EXPECT_TRUE(threadDialogs().empty()) << "a dialog followed the message";
}

// Leaves the dialogs of the in-process tools with Cancel; the extension's
// own message boxes (caption "korbinen.dll") are the robot's.
void CALLBACK cancelThreadDialogs(HWND, UINT, UINT_PTR, DWORD) {
    for (HWND dialog : threadDialogs()) {
        if (Robot::text(dialog) != "korbinen.dll")
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

// Started as a copy of this program that Wine presents Windows 3.10 to.
TEST(DISABLED_InCopy, OldWindowsKeepsTheFileToolsInProcess) {
    const DWORD version = GetVersion();
    ASSERT_EQ(3, LOBYTE(LOWORD(version)));
    ASSERT_EQ(10, HIBYTE(LOWORD(version)));
    // The in-process tools open their own dialogs; leave each with Cancel.
    const UINT_PTR closer = SetTimer(nullptr, 0, 100, cancelThreadDialogs);
    for (int command : {19, 11, 16, 17, 20, 21}) {
        TempDirectory dir;
        CurrentDirectory current(dir.path());
        HostFixture host;
        ASSERT_TRUE(host.loadLibrary());
        host.state.focus = FMFOCUS_DIR;
        host.state.currentDirectory = dir.path();
        ASSERT_TRUE(writeBytes(dir.file("a.txt"), "x"));
        host.state.selection = {{dir.file("a.txt"), 0, 1}};
        DelegationWatcher watcher(dir.path());
        EXPECT_EQ(0, host.call(static_cast<WORD>(command)));
        watcher.watchFor(1500);
        EXPECT_FALSE(watcher.listSeen()) << "command " << command << " wrote a list file";
        EXPECT_FALSE(watcher.helperSeen()) << "command " << command << " started the helper";
        EXPECT_TRUE(filesMatching(dir.path(), "zqk*.tmp").empty()) << "command " << command;
    }
    KillTimer(nullptr, closer);
}

namespace {

// Runs this test program again as exeName in a directory of its own, with
// only the disabled test `test`; its output joins ours. The exit code, or -1.
int runInCopy(const char* exeName, const char* test, bool withHelper, const char* windowsVersion) {
    TempDirectory dir("qrc");
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    if (!CopyFileA(self, dir.file(exeName).c_str(), FALSE) ||
        !CopyFileA(besideTestProgram("korbinen.dll").c_str(), dir.file("korbinen.dll").c_str(), FALSE))
        return -1;
    if (withHelper && !CopyFileA(besideTestProgram("quorvinx.exe").c_str(), dir.file("quorvinx.exe").c_str(), FALSE))
        return -1;
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + exeName;
    if (windowsVersion != nullptr) {
        HKEY handle;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
            ERROR_SUCCESS)
            return -1;
        RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(windowsVersion),
                       static_cast<DWORD>(lstrlenA(windowsVersion) + 1));
        RegCloseKey(handle);
    }
    // The copy must not overwrite this program's report.
    char report[MAX_PATH] = "";
    const bool hadReport = GetEnvironmentVariableA("GTEST_OUTPUT", report, sizeof report) > 0;
    SetEnvironmentVariableA("GTEST_OUTPUT", nullptr);
    int code = -1;
    {
        std::string commandLine = "\"";
        commandLine += dir.file(exeName);
        commandLine += "\" --gtest_also_run_disabled_tests --gtest_filter=";
        commandLine += test;
        ChildProcess copy(commandLine, dir.path().c_str());
        if (copy.wait(120000))
            code = static_cast<int>(copy.exitCode());
    }
    if (hadReport)
        SetEnvironmentVariableA("GTEST_OUTPUT", report);
    if (windowsVersion != nullptr)
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    return code;
}

} // namespace

TEST(Delegation, HelperThatCannotBeStartedIsReportedAndTheListStays) {
    EXPECT_EQ(0, runInCopy("route_alone.exe", "DISABLED_InCopy.HelperMissing", false, nullptr));
}

TEST(Delegation, WindowsUpTo350RunsTheFileToolsInTheExtension) {
    EXPECT_EQ(0, runInCopy("route_win31.exe", "DISABLED_InCopy.OldWindowsKeepsTheFileToolsInProcess", true, "win31"));
}

TEST(Routing, RefreshCommandsReachTheHostAndOthersDoNothing) {
    const struct {
        int command;
        std::vector<std::pair<UINT, WPARAM>> queries;
    } cases[] = {
        {12, {{FM_REFRESH_WINDOWS, 0}}}, {13, {{FM_REFRESH_WINDOWS, 1}}}, {30, {}}, {22, {}}, {0, {}},
    };
    TempDirectory dir;
    CurrentDirectory current(dir.path());
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    for (const auto& c : cases) {
        host.clearReceived();
        EXPECT_EQ(0, host.call(static_cast<WORD>(c.command))) << "command " << c.command;
        EXPECT_TRUE(sameQueries(hostQueries(host), c.queries))
            << "command " << c.command << ": host got " << describe(hostQueries(host));
    }
    EXPECT_TRUE(filesMatching(dir.path(), "*").empty());
    EXPECT_TRUE(threadDialogs().empty());
}

TEST(PendingMessages, PostedCommandIsDispatchedBeforeTheToolGoesOn) {
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    PostMessageA(host.window(), WM_COMMAND, HostFixture::kMenuDelta + 12, 0);
    EXPECT_TRUE(hostQueries(host).empty());
    dispatchPendingMessages();
    EXPECT_TRUE(sameQueries(hostQueries(host), {{FM_REFRESH_WINDOWS, 0}})) << describe(hostQueries(host));
}

TEST(PendingMessages, QuitRequestSurvivesThePump) {
    PostQuitMessage(7);
    dispatchPendingMessages();
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request was lost";
    EXPECT_EQ(7u, message.wParam);
}

namespace {

// Plays the help viewer: WinHelpA hands its request to a window of class
// MS_WINHELP (WM_COPYDATA, dwData 0xA1DE505) instead of starting the viewer.
struct HelpRequest {
    HWND owner;
    WORD command;
    std::string file;
};
std::vector<HelpRequest> helpRequests;

LRESULT CALLBACK helpViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    // The request starts with its size, the command, data, a reserved word and the file name's offset.
    const char* bytes = static_cast<const char*>(data->lpData);
    if (data->dwData == 0xA1DE505 && data->cbData >= 14) {
        WORD command = 0, fileOffset = 0;
        std::memcpy(&command, bytes + 2, sizeof command);
        std::memcpy(&fileOffset, bytes + 12, sizeof fileOffset);
        std::string file;
        if (fileOffset != 0 && fileOffset < data->cbData)
            file.assign(bytes + fileOffset, strnlen(bytes + fileOffset, data->cbData - fileOffset));
        helpRequests.push_back({reinterpret_cast<HWND>(wParam), command, file});
    }
    return TRUE;
}

} // namespace

TEST(Routing, HelpCommandOpensTheContentsOfTheExtensionsHelpFile) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = helpViewerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MS_WINHELP";
    RegisterClassA(&wc);
    const HWND viewer =
        CreateWindowA("MS_WINHELP", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, viewer);
    helpRequests.clear();
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    EXPECT_EQ(0, host.call(15));
    DestroyWindow(viewer);
    ASSERT_EQ(1u, helpRequests.size());
    EXPECT_EQ(HELP_CONTENTS, helpRequests[0].command);
    EXPECT_EQ(0, lstrcmpiA("korbinex.hlp", helpRequests[0].file.c_str())) << helpRequests[0].file;
    EXPECT_EQ(host.window(), helpRequests[0].owner);
    EXPECT_TRUE(hostQueries(host).empty()) << describe(hostQueries(host));
}

TEST(Delegation, ListFileThatCannotBeWrittenIsReportedAndNoHelperStarts) {
    // Wine shows the root of the Linux file system as Z:; nobody, not even
    // root, can create a file in /proc.
    const char* unwritable = "Z:\\proc";
    if (GetFileAttributesA("Z:\\proc\\self") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no Z:\\proc on this system";
    ASSERT_TRUE(windowsNewerThan350());
    const UINT_PTR closer = SetTimer(nullptr, 0, 100, cancelThreadDialogs);
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    host.state.focus = FMFOCUS_DIR;
    host.state.selection = {{"C:\\windows\\win.ini", 0, 1}};
    std::vector<std::pair<std::string, std::string>> boxes;
    bool tempNameHandedOut = false;
    {
        CurrentDirectory current(unwritable);
        char probe[MAX_PATH] = "";
        tempNameHandedOut = GetTempFileNameA(".", "zqk", 0, probe) != 0;
        Robot robot;
        robot.onMessageBox([&](HWND box, const std::string& text, const std::string& caption) {
            boxes.emplace_back(text, caption);
            Robot::click(box, IDOK);
        });
        DelegationWatcher watcher(unwritable);
        EXPECT_EQ(0, host.call(17));
        watcher.watchFor(1000);
        EXPECT_FALSE(watcher.helperSeen()) << "the helper was started without a list";
    }
    KillTimer(nullptr, closer);
    ASSERT_EQ(1u, boxes.size());
    // Windows refuses the temporary name already; Wine hands out the name
    // without creating the file, and opening it for writing fails.
    EXPECT_EQ(tempNameHandedOut ? "Error: CreateFile (tmp)" : "Error: GetTempFileName", boxes[0].first);
    EXPECT_EQ("korbinen.dll", boxes[0].second);
    // The list was never begun; the extension then runs the tool itself, and
    // only its own walk asks for the one selected entry.
    EXPECT_EQ(1, host.countReceived(FM_GETFILESELLFN));
}
