// The result dialog on the platform: controls per deliverable, the tool run
// inside the dialog's start, the column buttons, OK and the clipboard.
#include "common/filetools/result_dialog_win.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "common/win/percent_meter.h"
#include "common/win/plain_message.h"
#include "common/filetools/tool_progress_win.h"

namespace filetools {

const ResultProfile kHelperResult = {true, 1025, 1028, 1026, 1027, 1029, 1002, 1003,  1004,   1088,
                                     1089, 1031, 1030, 1053, 1015, 1000, 0,    15119, nullptr};
const ResultProfile kExtensionResult = {
    false, 182, 191, 185, 188, 194, 150, 151, 152, 256, 257, 198, 197, 224, 0, 0, 274, 0, "zu wenig Speicher"};

bool& firstColumnRemoved() {
    static bool removed = false;
    return removed;
}

namespace {

constexpr int kAnimationClip = 130;
constexpr int kPasteAnimationClip = 136;

ResultContextMenu& contextMenu() {
    static ResultContextMenu menu;
    return menu;
}

void hide(HWND dialog, int id) {
    if (id != 0)
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
}

} // namespace

ResultDialog::ResultDialog(const ResultProfile& profile, ResultMode mode, std::string searchText, Tool tool)
    : profile_(profile), mode_(mode), searchText_(std::move(searchText)), tool_(std::move(tool)) {}

INT_PTR ResultDialog::run(HWND owner) {
    ensureCommonControls();
    const INT_PTR result = runModal(resourceModule(), kResultDialog, owner);
    list_ = nullptr; // the window is gone
    return result;
}

HWND ResultDialog::list() const {
    return list_;
}

void ResultDialog::setUpControls() {
    list_ = GetDlgItem(window(), profile_.list);
    currentField_ = GetDlgItem(window(), profile_.currentFile);
    searchedField_ = GetDlgItem(window(), profile_.searched);
    hitsField_ = GetDlgItem(window(), profile_.hits);
    withHitsField_ = GetDlgItem(window(), profile_.withHits);
    centreOnDesktop(window());
    if (profile_.animation != 0)
        startToolAnimation(GetDlgItem(window(), profile_.animation),
                           mode_ == ResultMode::PasteIfChanged ? kPasteAnimationClip : kAnimationClip);
    std::string caption = text::lookupText(15026);
    if (profile_.helper) {
        const CaptionParts parts = helperCaptionParts(mode_);
        caption = composeCaption(text::lookupText(parts.baseId), parts.modeId ? text::lookupText(parts.modeId) : "",
                                 parts.quoteSearchText, searchText_);
    }
    SetWindowTextA(window(), caption.c_str());
    const struct {
        int id;
        std::uint32_t text;
    } labels[] = {{profile_.currentLabel, 15024}, {profile_.searchedLabel, 15022}, {profile_.hitsLabel, 15023},
                  {profile_.inLabel, 15025},      {profile_.filesLabel, 15027},    {profile_.help, 15065}};
    for (const auto& label : labels)
        SetDlgItemTextA(window(), label.id, text::lookupText(label.text));
    hide(window(), IDOK);
    ShowWindow(window(), SW_SHOW);
    UpdateWindow(window());

    HWND box = list();
    if (mode_ != ResultMode::ContentSearch) {
        RECT r;
        GetWindowRect(window(), &r);
        const std::vector<int> stops = resultTabStops(r.right, LOWORD(GetDialogBaseUnits()), profile_.helper);
        SendMessageA(box, LB_SETTABSTOPS, stops.size(), reinterpret_cast<LPARAM>(stops.data()));
    }
    RECT client;
    GetClientRect(box, &client);
    SendMessageA(box, LB_SETHORIZONTALEXTENT, 2 * (client.right - client.left), 0);

    const bool progressShown =
        profile_.progress != 0 && (mode_ == ResultMode::ContentSearch || mode_ == ResultMode::EqualFiles);
    if (profile_.progress != 0) {
        progressBar_ = GetDlgItem(window(), profile_.progress);
        SendDlgItemMessageA(window(), profile_.progress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        SendDlgItemMessageA(window(), profile_.progress, PBM_SETPOS, 0, 0);
        if (!progressShown)
            hide(window(), profile_.progress);
    }
    if (mode_ != ResultMode::EqualFiles) {
        hide(window(), profile_.meter);
    } else if (profile_.meter != 0) {
        attachPercentMeter(GetDlgItem(window(), profile_.meter));
        ShowWindow(GetDlgItem(window(), profile_.meter), SW_SHOW);
    }
    switch (mode_) {
    case ResultMode::ContentSearch:
        break;
    case ResultMode::EqualFiles:
        hide(window(), profile_.removeColumn);
        hide(window(), profile_.compact);
        break;
    case ResultMode::NameSearch:
    case ResultMode::SizeSum:
    case ResultMode::PasteIfChanged:
        for (int id :
             {profile_.compact, profile_.removeColumn, profile_.inLabel, profile_.withHits, profile_.filesLabel})
            hide(window(), id);
        break;
    }
}

void setResultContextMenu(ResultContextMenu menu) {
    contextMenu() = std::move(menu);
}

LRESULT CALLBACK ResultDialog::listProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<ResultDialog*>(data);
    // A second press soon after the first arrives as a double click: it is a press all the same.
    const bool press = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
    if (press && self->finished_ && contextMenu()) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(box, &at);
        try {
            contextMenu()(*self, at);
        } catch (...) {
            // the menu's command is dropped; the list stays
        }
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(box, listProcedure, id);
    return DefSubclassProc(box, message, wParam, lParam);
}

bool ResultDialog::onInit() {
    setUpControls();
    resultCancel().set = false;
    if (mode_ == ResultMode::ContentSearch)
        firstColumnRemoved() = false;
    // Redrawing the list (and its scroll bars) for every added line costs
    // milliseconds each under Wine; the list is shown anew at each refresh.
    running_ = true;
    SendMessageA(list(), WM_SETREDRAW, FALSE, 0);
    if (tool_)
        tool_(*this);
    running_ = false;
    // The context menu serves only the finished list; hooked in earlier, every
    // added line would pass the hook, and each pass asks the window server.
    if (profile_.helper)
        SetWindowSubclass(list(), listProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    refresh();
    showToolFinished(window(), profile_.animation != 0 ? GetDlgItem(window(), profile_.animation) : nullptr);
    finished_ = true;
    return false; // the focus is on OK already
}

bool ResultDialog::addLine(const std::string& line) {
    const LRESULT index = SendMessageA(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    return index >= 0;
}

void ResultDialog::refreshIfDue() {
    if (refreshDue())
        refresh();
}

void ResultDialog::refresh() {
    HWND box = list();
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
    SetWindowTextA(currentField_, currentFile_.c_str());
    SetWindowTextA(searchedField_, std::to_string(filesSearched_).c_str());
    SetWindowTextA(hitsField_, std::to_string(hits_).c_str());
    SetWindowTextA(withHitsField_, std::to_string(filesWithHits_).c_str());
    UpdateWindow(window());
    if (running_)
        SendMessageA(box, WM_SETREDRAW, FALSE, 0);
}

void ResultDialog::setProgress(int percent) {
    // Called per file: only a change reaches the control.
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    if (profile_.progress != 0)
        SendMessageA(progressBar_, PBM_SETPOS, percent, 0);
    else if (profile_.meter != 0 && mode_ == ResultMode::EqualFiles)
        setPercentMeter(GetDlgItem(window(), profile_.meter), percent);
}

void ResultDialog::reportLowMemory() {
    resultCancel().set = true;
    const char* message =
        profile_.lowMemoryTextId ? text::lookupText(profile_.lowMemoryTextId) : profile_.lowMemoryText;
    showMessage(window(), message, profile_.helper ? MB_OK : MB_OK | MB_ICONEXCLAMATION);
}

std::string ResultDialog::lineText(int index) const {
    const LRESULT length = SendMessageA(list(), LB_GETTEXTLEN, index, 0);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}

bool ResultDialog::replaceLine(int index, const std::string& text) {
    HWND box = list();
    SendMessageA(box, LB_DELETESTRING, index, 0);
    return SendMessageA(box, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())) >= 0;
}

bool pumpKeyboardSawEscape() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, 0x108, PM_REMOVE)) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE)
            return true; // swallowed: it stops the command, not the dialog
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return false;
}

void ResultDialog::removeFirstColumns() {
    firstColumnRemoved() = true;
    const int count = static_cast<int>(SendMessageA(list(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (const auto rest = removeFirstColumn(lineText(i)))
            replaceLine(i, *rest);
        if (pumpKeyboardSawEscape())
            break;
    }
}

void ResultDialog::compactAllColumns() {
    const int count = static_cast<int>(SendMessageA(list(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (const auto compact = compactColumns(lineText(i), firstColumnRemoved()))
            replaceLine(i, *compact);
        if (pumpKeyboardSawEscape())
            break;
    }
}

bool putClipboardText(HWND owner, const std::string& text) {
    // Zero-filled: programs that read the whole block must see nothing past the text.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kClipboardBlock);
    if (block == nullptr)
        return false;
    char* memory = static_cast<char*>(GlobalLock(block));
    if (memory == nullptr) {
        GlobalFree(block);
        return false;
    }
    const std::size_t n = text.size() < kClipboardBlock - 1 ? text.size() : kClipboardBlock - 1;
    std::memcpy(memory, text.data(), n);
    memory[n] = '\0';
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!placed)
        GlobalFree(block);
    return placed;
}

std::vector<std::string> ResultDialog::selectedLines() const {
    HWND box = list();
    const int selected = static_cast<int>(SendMessageA(box, LB_GETSELCOUNT, 0, 0));
    std::vector<int> indices(selected > 0 ? selected : 0);
    if (selected > 0)
        SendMessageA(box, LB_GETSELITEMS, selected, reinterpret_cast<LPARAM>(indices.data()));
    std::vector<std::string> lines;
    for (int index : indices)
        lines.push_back(lineText(index));
    return lines;
}

void ResultDialog::copySelectionToClipboard() {
    HWND box = list();
    const int count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
    if (count <= 0)
        return;
    const int selected = static_cast<int>(SendMessageA(box, LB_GETSELCOUNT, 0, 0));
    std::vector<int> indices(selected > 0 ? selected : 0);
    if (selected > 0)
        SendMessageA(box, LB_GETSELITEMS, selected, reinterpret_cast<LPARAM>(indices.data()));
    std::vector<std::string> lines;
    std::size_t gathered = 0;
    for (int index : indices) {
        if (gathered >= kClipboardGather)
            break; // lines past the bound are not even read
        lines.push_back(lineText(index));
        gathered += lines.back().size() + 2;
    }
    putClipboardText(window(), clipboardText(lines));
}

bool ResultDialog::onCommand(int id, int notification) {
    if (notification != BN_CLICKED)
        return false;
    if (id == profile_.removeColumn) {
        removeFirstColumns();
    } else if (id == profile_.compact) {
        compactAllColumns();
    } else if (id == profile_.help) {
        WinHelpA(window(), deliverable().helpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>("Suchergebnis"));
    } else if (id == IDOK && finished_) {
        copySelectionToClipboard();
        end(IDOK);
    } else if (id == IDCANCEL && finished_) {
        end(IDCANCEL);
    }
    return true;
}

} // namespace filetools
