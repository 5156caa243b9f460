// fmhost's main window: its own menus, the extensions' popups and toolbar buttons,
// the status bar with help lines, and the routing of commands, queries and events.
#include "tools/fmhost/frame.h"

#include <commctrl.h>
#include "common/win/fm_extension.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/fmhost/queries.h"

namespace fmhost {

namespace {

enum : UINT {
    kExit = 100,
    kReload = 101,
    kRefresh = 110,
    kRefreshAll = 111,
    kAbout = 120,
};

constexpr UINT kToolbarId = 20;
constexpr UINT kStatusId = 21;
constexpr UINT_PTR kDeferTimer = 1;
constexpr UINT_PTR kCloseTimer = 2;
constexpr UINT_PTR kOpenMenuTimer = 3;
constexpr const char* kClassName = "FmHostFrame";

struct OwnItem {
    UINT id;
    const char* help;
};

const OwnItem kOwnHelp[] = {
    {kExit, "Closes fmhost and unloads the extensions"},
    {kReload, "Unloads the extensions and loads those of the INI file again"},
    {kRefresh, "Reads the current directory again"},
    {kRefreshAll, "Reads the drives, the tree and the current directory again"},
    {kAbout, "About fmhost"},
};

Frame* theFrame = nullptr;
HHOOK menuFilter = nullptr;

// F1 inside a menu never reaches the window procedure; the menu loop shows it to this filter.
LRESULT CALLBACK menuFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && theFrame) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
            try {
                theFrame->helpOnHighlightedItem();
            } catch (...) {
            }
            return TRUE;
        }
    }
    return CallNextHookEx(menuFilter, code, wParam, lParam);
}

bool parseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::atoi(text.c_str());
    return true;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

std::string menuText(HMENU menu, UINT position) {
    char text[256] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

} // namespace

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* name) -> const char* {
            size_t n = std::strlen(name);
            if ((arg[0] == '/' || arg[0] == '-') && arg.size() > n + 1 && _strnicmp(arg.c_str() + 1, name, n) == 0 &&
                arg[n + 1] == ':')
                return arg.c_str() + n + 2;
            return nullptr;
        };
        if (const char* v = value("ini")) {
            options.iniPath = v;
        } else if (const char* v = value("report")) {
            options.reportPath = v;
        } else if (const char* v = value("openmenu")) {
            if (!parseNumber(v, options.openMenu)) {
                error = "/openmenu needs the number of an extension (0 = first): " + arg;
                return false;
            }
        } else if (const char* v = value("closeafter")) {
            if (!parseNumber(v, options.closeAfterSeconds)) {
                error = "/closeafter needs a number of seconds: " + arg;
                return false;
            }
        } else if (arg[0] == '/' && arg.size() > 1 && arg.find('\\') == std::string::npos && arg[1] != '/') {
            error = "unknown switch " + arg +
                    "\nUse: fmhost [/ini:FILE] [/report:FILE] [/openmenu:N] "
                    "[/closeafter:SECONDS] [DIRECTORY]";
            return false;
        } else {
            options.startDirectory = arg;
        }
    }
    return true;
}

bool Frame::create(HINSTANCE instance, const Options& options, int show) {
    options_ = options;
    char full[MAX_PATH];
    if (options_.iniPath.empty()) {
        char program[MAX_PATH];
        DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
        std::string folder(program, n);
        options_.iniPath = folder.substr(0, folder.find_last_of('\\') + 1) + "fmhost.ini";
    }
    // The profile functions look for a bare name in the Windows directory.
    DWORD n = GetFullPathNameA(options_.iniPath.c_str(), sizeof full, full, nullptr);
    if (n > 0 && n < sizeof full)
        options_.iniPath = full;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    reportMessage_ = RegisterWindowMessageA(kReportMessageName);

    buildMenuBar();
    theFrame = this;
    window_ = CreateWindowExA(0, kClassName, "fmhost", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, 760, 520, nullptr, menuBar_, instance, this);
    if (!window_)
        return false;
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window_,
                              reinterpret_cast<HMENU>(kStatusId), instance, nullptr);
    createToolbar();
    if (!panes_.create(window_))
        return false;
    std::string start = options_.startDirectory;
    if (start.empty() || !panes_.showDirectory(start)) {
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof current, current);
        panes_.showDirectory(current);
    }

    ACCEL keys[] = {
        {FVIRTKEY, VK_F5, static_cast<WORD>(kRefresh)},
        {FVIRTKEY | FSHIFT, VK_F5, static_cast<WORD>(kRefreshAll)},
    };
    accelerators_ = CreateAcceleratorTableA(keys, 2);
    menuFilter = SetWindowsHookExA(WH_MSGFILTER, menuFilterProc, nullptr, GetCurrentThreadId());

    loadExtensions();
    ShowWindow(window_, show);
    UpdateWindow(window_);
    SetFocus(panes_.files());
    panes_.noteFocus(PaneKind::Files);
    showStatus();
    if (!options_.startDirectory.empty() && lstrcmpiA(panes_.currentDirectory().c_str(), start.c_str()) != 0) {
        char fullStart[MAX_PATH] = "";
        GetFullPathNameA(start.c_str(), sizeof fullStart, fullStart, nullptr);
        if (lstrcmpiA(panes_.currentDirectory().c_str(), fullStart) != 0)
            SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(("no such directory: " + start).c_str()));
    }
    if (options_.openMenu >= 0) {
        // Let the window's activation settle first, or the popup opens beneath it.
        SetForegroundWindow(window_);
        SetTimer(window_, kOpenMenuTimer, 700, nullptr);
    }
    if (options_.closeAfterSeconds > 0)
        SetTimer(window_, kCloseTimer, static_cast<UINT>(options_.closeAfterSeconds) * 1000u, nullptr);
    return true;
}

void Frame::buildMenuBar() {
    menuBar_ = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kReload, "Re&load extensions");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, kExit, "E&xit");
    windowMenu_ = CreatePopupMenu();
    AppendMenuA(windowMenu_, MF_STRING, kRefresh, "&Refresh\tF5");
    AppendMenuA(windowMenu_, MF_STRING, kRefreshAll, "Refresh &all\tShift+F5");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, kAbout, "&About fmhost");
    AppendMenuA(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(windowMenu_), "&Window");
    AppendMenuA(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
}

void Frame::createToolbar() {
    if (toolbar_)
        DestroyWindow(toolbar_);
    toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0,
                               0, window_, reinterpret_cast<HMENU>(kToolbarId),
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE)), nullptr);
    SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
}

void Frame::loadExtensions() {
    extensions_.loadAll(window_, options_.iniPath, menuBar_, windowMenu_, toolbar_);
    // A toolbar without buttons would only take room.
    ShowWindow(toolbar_, SendMessageA(toolbar_, TB_BUTTONCOUNT, 0, 0) > 0 ? SW_SHOW : SW_HIDE);
    layout();
}

void Frame::reloadExtensions() {
    extensions_.unloadAll();
    createToolbar();
    loadExtensions();
    showStatus();
}

void Frame::layout() {
    if (!window_ || !status_)
        return;
    RECT client;
    GetClientRect(window_, &client);
    SendMessageA(status_, WM_SIZE, 0, 0);
    RECT statusRect{};
    GetWindowRect(status_, &statusRect);
    int top = 0;
    if (toolbar_ && IsWindowVisible(toolbar_)) {
        SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
        RECT toolbarRect{};
        GetWindowRect(toolbar_, &toolbarRect);
        top = toolbarRect.bottom - toolbarRect.top;
    }
    RECT area{0, top, client.right, client.bottom - (statusRect.bottom - statusRect.top)};
    panes_.layout(area);
}

void Frame::showStatus() {
    SendMessageA(status_, SB_SIMPLE, FALSE, 0);
    char text[64];
    std::snprintf(text, sizeof text, "%u entries, %u selected", static_cast<unsigned>(panes_.entries().size()),
                  static_cast<unsigned>(panes_.markedFiles().size()));
    std::string first = panes_.currentDirectory();
    if (!extensions_.problems().empty())
        first = "Not loaded: " + extensions_.problems().front();
    int parts[] = {480, -1};
    SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(first.c_str()));
    SendMessageA(status_, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    SetWindowTextA(window_, ("fmhost - " + panes_.currentDirectory()).c_str());
}

void Frame::showHelpLine(const std::string& text) {
    helpLine_ = text;
    SendMessageA(status_, SB_SIMPLE, TRUE, 0);
    SendMessageA(status_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void Frame::selectionChanged() {
    extensions_.broadcast(FMEVENT_SELCHANGE);
    showStatus();
}

bool Frame::preTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN)
        return false;
    bool inPane = msg.hwnd == panes_.files() || msg.hwnd == panes_.tree() || msg.hwnd == panes_.drives();
    if (inPane && msg.wParam == VK_TAB) {
        panes_.cycleFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (msg.hwnd == panes_.files() && (msg.wParam == VK_RETURN || msg.wParam == VK_BACK)) {
        if (panes_.onFilesKey(msg.wParam))
            selectionChanged();
        return true;
    }
    return false;
}

void Frame::helpOnHighlightedItem() {
    if (highlighted_ != 0)
        extensions_.helpItem(highlighted_);
}

void Frame::openExtensionMenu(int index) {
    if (index < 0 || static_cast<size_t>(index) >= extensions_.loaded().size())
        return;
    HMENU popup = extensions_.loaded()[static_cast<size_t>(index)].popup;
    for (int i = 0; popup && i < GetMenuItemCount(menuBar_); ++i) {
        if (GetSubMenu(menuBar_, i) != popup)
            continue;
        // By position, as the keyboard does: a title may have no mnemonic or share one with another menu.
        PostMessageA(window_, WM_SYSCOMMAND, SC_KEYMENU, 0);
        for (int step = 0; step < i; ++step)
            PostMessageA(window_, WM_KEYDOWN, VK_RIGHT, 0);
        PostMessageA(window_, WM_KEYDOWN, VK_DOWN, 0);
    }
}

void Frame::runDeferred() {
    if (extensions_.busy())
        return; // still inside an extension: try again on the next tick
    KillTimer(window_, kDeferTimer);
    if (pendingReload_) {
        pendingReload_ = false;
        reloadExtensions();
    }
    if (pendingClose_) {
        pendingClose_ = false;
        DestroyWindow(window_);
    }
}

void Frame::onCommand(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (control && control == panes_.files()) {
        if (panes_.onFilesCommand(code))
            selectionChanged();
        return;
    }
    if (control && control == panes_.drives()) {
        if (panes_.onDrivesCommand(code))
            selectionChanged();
        return;
    }
    if (control && control != toolbar_)
        return;
    switch (id) {
    case kExit:
        PostMessageA(window_, WM_CLOSE, 0, 0);
        return;
    case kReload:
        pendingReload_ = true;
        SetTimer(window_, kDeferTimer, 50, nullptr);
        return;
    case kRefresh:
    case kRefreshAll:
        panes_.refresh(id == kRefreshAll);
        extensions_.broadcast(FMEVENT_USER_REFRESH);
        showStatus();
        return;
    case kAbout:
        MessageBoxA(window_, "fmhost: a small File Manager that loads File Manager extensions.", "fmhost",
                    MB_OK | MB_ICONINFORMATION);
        return;
    default:
        extensions_.command(static_cast<UINT>(id));
    }
}

void Frame::onMenuSelect(WPARAM wParam, LPARAM lParam) {
    UINT flags = HIWORD(wParam);
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    if (flags == 0xFFFF && !menu) {
        // The menu closed.
        highlighted_ = 0;
        helpLine_.clear();
        showStatus();
        return;
    }
    std::string text;
    if (flags & MF_POPUP) {
        highlighted_ = 0;
        HMENU popup = GetSubMenu(menu, LOWORD(wParam));
        if (!extensions_.helpLine(popup, -1, text))
            text.clear();
    } else {
        highlighted_ = LOWORD(wParam);
        if (!extensions_.helpLine(menu, static_cast<int>(highlighted_), text)) {
            text.clear();
            for (const OwnItem& item : kOwnHelp)
                if (item.id == highlighted_)
                    text = item.help;
        }
    }
    showHelpLine(text);
}

bool Frame::writeReport() const {
    if (options_.reportPath.empty())
        return false;
    FILE* out = std::fopen(options_.reportPath.c_str(), "w");
    if (!out)
        return false;
    std::fprintf(out, "directory %s\n", panes_.currentDirectory().c_str());
    std::fprintf(out, "focus %d\n", static_cast<int>(panes_.focus()));
    for (int i = 0; i < GetMenuItemCount(menuBar_); ++i) {
        HMENU popup = GetSubMenu(menuBar_, i);
        std::fprintf(out, "popup %s\n", menuText(menuBar_, static_cast<UINT>(i)).c_str());
        for (int k = 0; popup && k < GetMenuItemCount(popup); ++k) {
            UINT state = GetMenuState(popup, static_cast<UINT>(k), MF_BYPOSITION);
            if (state & MF_SEPARATOR) {
                std::fprintf(out, "separator\n");
                continue;
            }
            std::fprintf(out, "item %u %s%s\n", GetMenuItemID(popup, k), (state & MF_GRAYED) ? "grayed " : "",
                         escaped(menuText(popup, static_cast<UINT>(k))).c_str());
        }
    }
    int buttons = static_cast<int>(SendMessageA(toolbar_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < buttons; ++i) {
        TBBUTTON button{};
        SendMessageA(toolbar_, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & TBSTYLE_SEP)
            std::fprintf(out, "button separator\n");
        else
            std::fprintf(out, "button %d\n", button.idCommand);
    }
    for (const auto& extension : extensions_.loaded())
        std::fprintf(out, "extension %s %u %s\n", extension.key.c_str(), extension.delta, extension.path.c_str());
    for (const std::string& problem : extensions_.problems())
        std::fprintf(out, "problem %s\n", problem.c_str());
    char status[512] = "";
    if (SendMessageA(status_, SB_GETTEXTLENGTHA, 0, 0) < static_cast<LRESULT>(sizeof status))
        SendMessageA(status_, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    std::fprintf(out, "status %s\n", status);
    std::fprintf(out, "helpline %s\n", helpLine_.c_str());
    std::fprintf(out, "highlighted %u\n", highlighted_);
    bool ok = std::ferror(out) == 0;
    return std::fclose(out) == 0 && ok;
}

LRESULT Frame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    // Records are trusted only from extension code running on this thread, not from another thread's send.
    bool recordsAllowed = extensions_.busy() && !InSendMessage();
    if (answerQuery(panes_, message, wParam, lParam, recordsAllowed, answer))
        return answer;
    if (message == reportMessage_ && reportMessage_ != 0)
        return writeReport() ? 1 : 0;
    switch (message) {
    case FM_REFRESH_WINDOWS:
        panes_.refresh(wParam != 0);
        showStatus();
        return 0;
    case FM_RELOAD_EXTENSIONS:
        // Usually sent from inside an extension: its library must not go away under it.
        pendingReload_ = true;
        SetTimer(window_, kDeferTimer, 50, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kDeferTimer) {
            runDeferred();
        } else if (wParam == kOpenMenuTimer) {
            KillTimer(window_, kOpenMenuTimer);
            openExtensionMenu(options_.openMenu);
        } else if (wParam == kCloseTimer) {
            KillTimer(window_, kCloseTimer);
            EndMenu();
            PostMessageA(window_, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == static_cast<UINT_PTR>(Panes::kTreeId)) {
            LRESULT result = 0;
            if (panes_.onTreeNotify(header, result))
                selectionChanged();
            return result;
        }
        if (header->code == TTN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
            std::string help = extensions_.buttonHelp(static_cast<UINT>(header->idFrom));
            lstrcpynA(info->szText, help.c_str(), sizeof info->szText);
            return 0;
        }
        return 0;
    }
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            extensions_.initMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT:
        onMenuSelect(wParam, lParam);
        return 0;
    case WM_SIZE:
        layout();
        return 0;
    case WM_SETFOCUS:
        switch (panes_.focus()) {
        case PaneKind::Files:
            SetFocus(panes_.files());
            break;
        case PaneKind::Tree:
            SetFocus(panes_.tree());
            break;
        case PaneKind::Drives:
            SetFocus(panes_.drives());
            break;
        }
        return 0;
    case WM_CLOSE:
        if (extensions_.busy()) {
            // An extension's own dialog loop is running: close once it has returned.
            pendingClose_ = true;
            SetTimer(window_, kDeferTimer, 50, nullptr);
            return 0;
        }
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        extensions_.unloadAll();
        if (menuFilter)
            UnhookWindowsHookEx(menuFilter);
        menuFilter = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK Frame::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Frame* frame = reinterpret_cast<Frame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        frame = static_cast<Frame*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
        frame->window_ = window;
    }
    if (!frame)
        return DefWindowProcA(window, message, wParam, lParam);
    // No C++ exception may cross into the platform.
    try {
        return frame->handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace fmhost
