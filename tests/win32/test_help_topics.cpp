// Help topics of the real korbinen.dll: the test plays the help viewer's
// window, so the platform's WinHelpA delivers its request here instead of
// starting the viewer.
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <string>
#include <vector>

#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"

namespace {

// What WinHelpA hands the viewer (dwData 0xA1DE505 of WM_COPYDATA).
#pragma pack(push, 1)
struct HelpRequestHeader {
    WORD size;
    WORD command;
    LONG data;
    LONG reserved;
    WORD ofsFilename;
    WORD ofsData;
};
#pragma pack(pop)

struct HelpRequest {
    HWND owner;
    UINT command;
    std::string file;
    std::string keyword;
};

std::vector<HelpRequest> requests;

LRESULT CALLBACK viewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == 0xA1DE505 && data->cbData >= sizeof(HelpRequestHeader)) {
            const char* bytes = static_cast<const char*>(data->lpData);
            const auto* h = reinterpret_cast<const HelpRequestHeader*>(bytes);
            HelpRequest r{reinterpret_cast<HWND>(wParam), h->command, "", ""};
            if (h->ofsFilename != 0 && h->ofsFilename < data->cbData)
                r.file.assign(bytes + h->ofsFilename, strnlen(bytes + h->ofsFilename, data->cbData - h->ofsFilename));
            if (h->command == HELP_KEY && h->ofsData != 0 && h->ofsData < data->cbData)
                r.keyword.assign(bytes + h->ofsData, strnlen(bytes + h->ofsData, data->cbData - h->ofsData));
            requests.push_back(r);
        }
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class HelpTopics : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = viewerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "MS_WINHELP";
        RegisterClassA(&wc);
        viewer = CreateWindowA("MS_WINHELP", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(viewer, nullptr);
        requests.clear();
        ASSERT_TRUE(host.loadLibrary());
        ASSERT_TRUE(host.sendLoad());
    }
    void TearDown() override { DestroyWindow(viewer); }

    ExtensionIniScope ini;
    HostFixture host;
    HWND viewer = nullptr;
};

} // namespace

TEST_F(HelpTopics, EachCommandOpensItsKeywordInTheExtensionsHelpFile) {
    const struct {
        LONG command;
        const char* keyword;
    } cases[] = {
        {0, "Inhalt"},
        {30, "Inhalt"},
        {8, "Ausf\xfchren"},
        {11, "Dateigr\xf6\xdf"
             "en"},
        {21, "Suche Dateiname"},
    };
    for (const auto& c : cases) {
        requests.clear();
        EXPECT_EQ(host.call(FMEVENT_HELPMENUITEM, c.command), 0) << "command " << c.command;
        ASSERT_EQ(requests.size(), 1u) << "command " << c.command;
        EXPECT_EQ(requests[0].command, static_cast<UINT>(HELP_KEY)) << "command " << c.command;
        EXPECT_EQ(requests[0].file, "korbinex.hlp") << "command " << c.command;
        EXPECT_EQ(requests[0].keyword, c.keyword) << "command " << c.command;
        EXPECT_EQ(requests[0].owner, host.window()) << "command " << c.command;
    }
}

TEST_F(HelpTopics, UnloadClosesTheHelpFile) {
    host.sendUnload();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].command, static_cast<UINT>(HELP_QUIT));
    EXPECT_EQ(requests[0].file, "korbinex.hlp");
}
