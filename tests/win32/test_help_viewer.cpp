// The platform's help viewer with the generated help files: HELP_CONTENTS
// opens the contents topic, and the viewer's Index page leads every keyword
// the code passes with HELP_KEY to that keyword's own topic (the viewer here
// carries out no HELP_KEY itself, but its index walks the same keyword tree).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/shared/help_file.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/screenshot.h"

namespace {

constexpr int kTextPane = 0x701; // the viewer's rich edit of the topic text

std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

struct ChildQuery {
    const char* className;
    const char* text;
    HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM param) {
    auto* q = reinterpret_cast<ChildQuery*>(param);
    char cls[64] = "";
    GetClassNameA(child, cls, sizeof cls);
    std::string text = remoteText(child);
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end()); // mnemonics
    if (lstrcmpiA(cls, q->className) != 0 || (q->text != nullptr && text != q->text))
        return TRUE;
    q->found = child;
    return FALSE;
}

// The first descendant of this class (and text without its mnemonic, when given).
HWND findChild(HWND parent, const char* className, const char* text = nullptr) {
    ChildQuery query{className, text, nullptr};
    EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

// Waits until the topic pane's text starts with the title; returns the text.
std::string waitForTopic(HWND viewer, const std::string& title) {
    std::string text;
    for (int i = 0; i < 250; ++i) {
        text = remoteText(GetDlgItem(viewer, kTextPane));
        if (text.rfind(title, 0) == 0)
            break;
        Sleep(20);
    }
    return text;
}

std::vector<HWND> dialogsOf(DWORD pid) {
    std::vector<HWND> dialogs;
    for (HWND w : processWindows(pid)) {
        char cls[64] = "";
        GetClassNameA(w, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0)
            dialogs.push_back(w);
    }
    return dialogs;
}

class HelpViewer : public ::testing::TestWithParam<const char*> {
protected:
    void TearDown() override {
        if (pid_ == 0)
            return;
        WinHelpA(owner_, path_.c_str(), HELP_QUIT, 0);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid_);
        if (process != nullptr) {
            if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
                TerminateProcess(process, 1);
            CloseHandle(process);
        }
        DestroyWindow(owner_);
    }

    HWND owner_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    std::string path_;
    DWORD pid_ = 0;
};

} // namespace

TEST_P(HelpViewer, ContentsOpenAndEveryCodeKeywordReachesItsTopic) {
    const std::string file = GetParam();
    path_ = windowsPath(std::string(KORB_HELP_OUT) + "/" + file + ".hlp");
    std::string error;
    const auto help = helpfile::readHelpFile(helpfile::fileBytes(path_), error);
    ASSERT_TRUE(help) << error;

    ASSERT_TRUE(WinHelpA(owner_, path_.c_str(), HELP_CONTENTS, 0));
    HWND viewer = waitForWindow(0, "MS_WINHELP", nullptr, 20000);
    ASSERT_NE(viewer, nullptr) << "no help viewer window";
    GetWindowThreadProcessId(viewer, &pid_);
    const std::string contents = waitForTopic(viewer, "Inhalt");
    EXPECT_EQ(contents.rfind("Inhalt", 0), 0u) << contents;
    EXPECT_TRUE(dialogsOf(pid_).empty()) << "the viewer shows an error box";

    std::set<std::string> listed;
    for (const std::string& keyword : helpfile::keywordList(std::string(KORB_HELP_LISTS) + "/" + file + ".keywords")) {
        SCOPED_TRACE(keyword);
        // The viewer makes its buttons anew with each topic.
        HWND indexButton = findChild(viewer, "Button", "Index");
        ASSERT_NE(indexButton, nullptr);
        PostMessageA(viewer, WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(indexButton)), 0);
        HWND sheet = waitForWindow(pid_, "#32770", nullptr, 5000);
        ASSERT_NE(sheet, nullptr) << "no index page";
        HWND list = nullptr;
        for (int i = 0; i < 250 && list == nullptr; ++i, Sleep(20))
            list = findChild(sheet, "ListBox");
        ASSERT_NE(list, nullptr) << "no index list in " << remoteText(sheet) << ": "
                                 << remoteText(findChild(sheet, "Static"));
        const std::vector<std::string> items = remoteListBoxItems(list);
        listed.insert(items.begin(), items.end());
        const auto at = std::find(items.begin(), items.end(), keyword);
        ASSERT_NE(at, items.end()) << "the index lacks the code's keyword";
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at - items.begin()), 0);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);

        const helpfile::Topic* topic = help->topicAt(help->keywords.at(keyword));
        ASSERT_NE(topic, nullptr);
        const std::string text = waitForTopic(viewer, topic->title);
        EXPECT_EQ(text.rfind(topic->title, 0), 0u) << text;
        EXPECT_NE(topic->title.find(keyword), std::string::npos) << topic->title;
        for (int i = 0; i < 100 && !dialogsOf(pid_).empty(); ++i)
            Sleep(20);
        EXPECT_TRUE(dialogsOf(pid_).empty()) << "an error box or the index stays open";
        if (file == "korbinex" && keyword == "Dateigr\xf6\xdf"
                                             "en")
            saveScreenshot(std::string(KORB_HELP_LISTS) + "/viewer_topic.png");
    }
    // The viewer's index lists exactly the file's keyword tree.
    std::set<std::string> inFile;
    for (const auto& [keyword, offset] : help->keywords)
        inFile.insert(keyword);
    EXPECT_EQ(listed, inFile);
}

INSTANTIATE_TEST_SUITE_P(Both, HelpViewer, ::testing::Values("korbinex", "quorvin"));
