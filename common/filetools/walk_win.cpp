// The directory walk on the platform's enumeration, and the progress window.
#include "common/filetools/walk_win.h"

#include <commctrl.h>

#include <ctime>
#include <vector>

#include "common/filetools/search_patterns.h"
#include "common/text/language_win.h"

namespace filetools {

namespace {

void statusFromFind(const WIN32_FIND_DATAA& data, FileStatus& status) {
    status.lastWrite = data.ftLastWriteTime;
    const bool noCreation = data.ftCreationTime.dwLowDateTime == 0 && data.ftCreationTime.dwHighDateTime == 0;
    status.creation = noCreation ? data.ftLastWriteTime : data.ftCreationTime;
    const bool noAccess = data.ftLastAccessTime.dwLowDateTime == 0 && data.ftLastAccessTime.dwHighDateTime == 0;
    status.lastAccess = noAccess ? data.ftLastWriteTime : data.ftLastAccessTime;
    status.size = data.nFileSizeLow;
    status.attributes = static_cast<std::uint8_t>(data.dwFileAttributes & 0x7F);
}

bool isDirectory(const FileStatus& status) {
    return (status.attributes & kAttrDirectory) != 0;
}

struct Walk {
    WalkOrder order;
    CancelFlag& cancel;
    const FileVisit& visit;

    int path(std::string& p, const FileStatus* known, bool knownValid);
    void directory(const std::string& dir);
};

int Walk::path(std::string& p, const FileStatus* known, bool knownValid) {
    if (cancel.set)
        return 1;
    if (p.size() > 3) {
        FileStatus status;
        const FileStatus* have = nullptr;
        if (knownValid) {
            have = known;
        } else if (queryFileStatus(p, status)) {
            have = &status;
        }
        if (have == nullptr || !isDirectory(*have)) {
            // Only the cancel flag stops a walk; the visit's result is for the caller's loop.
            visit(p, have);
            return cancel.set ? 1 : 0;
        }
    } else {
        p.resize(p.size() < 2 ? p.size() : 2);
    }
    directory(p);
    return cancel.set ? 1 : 0;
}

void Walk::directory(const std::string& dir) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    // Files first, then the subdirectories, each in enumeration order: one
    // reading of the directory serves both (opening a directory costs more
    // than anything else in a walk), its subdirectories kept for afterwards.
    std::vector<std::string> subdirectories;
    std::string child; // one buffer for every child's path: no allocation per file
    do {
        if (data.cFileName[0] == '.')
            continue;
        child.assign(dir).append(1, '\\').append(data.cFileName);
        FileStatus status;
        statusFromFind(data, status);
        if (order == WalkOrder::FilesFirst && isDirectory(status))
            subdirectories.push_back(child);
        else
            path(child, &status, true);
    } while (!cancel.set && FindNextFileA(find, &data));
    FindClose(find);
    for (std::string& child : subdirectories) {
        if (cancel.set)
            break;
        FileStatus status;
        status.attributes = kAttrDirectory;
        path(child, &status, true);
    }
}

} // namespace

bool queryFileStatus(const std::string& path, FileStatus& status) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full)
        return false;
    // A wildcard would make the look-up an enumeration of other names.
    if (std::string_view(full).find_first_of("*?") != std::string_view::npos)
        return false;
    // The attribute look-up gives what a directory search for the one name
    // gives, without opening the directory: under Wine it is many times faster.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(full, GetFileExInfoStandard, &data))
        return false;
    WIN32_FIND_DATAA found{};
    found.dwFileAttributes = data.dwFileAttributes;
    found.ftCreationTime = data.ftCreationTime;
    found.ftLastAccessTime = data.ftLastAccessTime;
    found.ftLastWriteTime = data.ftLastWriteTime;
    found.nFileSizeLow = data.nFileSizeLow;
    statusFromFind(found, status);
    return true;
}

CancelFlag& selectionCancel() {
    static CancelFlag flag;
    return flag;
}

CancelFlag& resultCancel() {
    static CancelFlag flag;
    return flag;
}

bool pumpMessagesSawEscape() {
    // Asking for the queue's state is several times cheaper under Wine than
    // an empty PeekMessageA, and the walk asks after every file.
    if (LOWORD(GetQueueStatus(QS_ALLINPUT)) == 0)
        return false;
    bool escape = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return true;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE)
            escape = true;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return escape;
}

bool refreshDue() {
    static int lastSecond = -1;
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (now.wSecond == lastSecond)
        return false;
    lastSecond = now.wSecond;
    return true;
}

int walkPath(std::string& path, WalkOrder order, CancelFlag& cancel, const FileVisit& visit) {
    Walk walk{order, cancel, visit};
    return walk.path(path, nullptr, false);
}

namespace {
HINSTANCE chosenResourceModule = nullptr;
}

HINSTANCE resourceModule() {
    if (chosenResourceModule != nullptr)
        return chosenResourceModule;
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&resourceModule), &module);
    return module;
}

void setResourceModule(HINSTANCE module) {
    chosenResourceModule = module;
}

void ensureCommonControls() {
    static bool done = false;
    if (done)
        return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
    done = InitCommonControlsEx(&controls) != FALSE;
}

void centreOnDesktop(HWND window) {
    RECT r, desk;
    GetWindowRect(window, &r);
    GetWindowRect(GetDesktopWindow(), &desk);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(window, nullptr, (desk.right - desk.left - w) / 2, (desk.bottom - desk.top - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const ProgressProfile kHelperProgress = {WalkOrder::FilesFirst, 1001, 1032, 1055, true, 15021, 1015, 131};
const ProgressProfile kExtensionProgress = {WalkOrder::Interleaved, 149, 200, 199, false, 15012, 0, 0};

namespace {

INT_PTR CALLBACK progressProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

} // namespace

SelectionWalker::SelectionWalker(const ProgressProfile& profile) : profile_(profile) {
    selectionCancel().set = false;
    previousCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    ensureCommonControls();
    window_ = CreateDialogParamA(resourceModule(), MAKEINTRESOURCEA(kProgressDialog), nullptr, progressProc, 0);
    if (window_ == nullptr)
        return;
    centreOnDesktop(window_);
    SetWindowTextA(window_, text::lookupText(profile_.captionTextId));
    SetDlgItemTextA(window_, profile_.labelId, text::lookupText(15020));
    SetDlgItemTextA(window_, profile_.counterId, "0");
    if (profile_.animationId != 0) {
        HWND animation = GetDlgItem(window_, profile_.animationId);
        SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(resourceModule()),
                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(profile_.aviId)));
        SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF));
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

SelectionWalker::~SelectionWalker() {
    if (window_ != nullptr) {
        if (profile_.animationId != 0) {
            HWND animation = GetDlgItem(window_, profile_.animationId);
            SendMessageA(animation, ACM_OPENA, 0, 0); // closes the clip
            ShowWindow(animation, SW_HIDE);
        }
        DestroyWindow(window_);
    }
    SetCursor(previousCursor_);
}

int SelectionWalker::walk(std::string path, const FileVisit& action) {
    return walkPath(path, profile_.order, selectionCancel(),
                    [&](const std::string& p, const FileStatus* status) { return processFile(p, status, action); });
}

int SelectionWalker::processFile(const std::string& path, const FileStatus* status, const FileVisit& action) {
    ++count_;
    if (window_ != nullptr) {
        const std::string_view shown = profile_.fieldShowsDirectory ? directoryOf(path) : fileNameOf(path);
        if (refreshDue()) {
            SetDlgItemInt(window_, profile_.counterId, static_cast<UINT>(count_), FALSE);
            SetDlgItemTextA(window_, profile_.fileFieldId, std::string(shown).c_str());
            UpdateWindow(window_);
        }
    }
    if (action(path, status) != 0)
        selectionCancel().set = true;
    if (pumpMessagesSawEscape()) {
        selectionCancel().set = true;
        return 1;
    }
    return selectionCancel().set ? 1 : 0;
}

} // namespace filetools
