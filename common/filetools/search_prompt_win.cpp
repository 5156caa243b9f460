// The search prompt dialogs: filling them from the remembered texts, and
// turning the confirmed fields into the search state.
#include "common/filetools/search_prompt_win.h"

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "common/win/modal_dialog.h"
#include "common/win/pending_messages.h"

namespace filetools {

namespace {

constexpr const char* kSettingsFile = "Quorvin.ini";
constexpr const char* kPromptSection = "Suchbegriffe";

struct PromptIds {
    int label, searchEdit, hint, selectionLabel, selectionEdit, selectionHint, help;
    int hidden, system, readOnly, archive; // 0: no check boxes
};
constexpr PromptIds kHelperIds = {1005, 110, 1105, 1006, 111, 1106, 1053, 1007, 1008, 1009, 1010};
constexpr PromptIds kExtensionIds = {154, 113, 271, 0, 0, 0, 224, 0, 0, 0, 0};

// Fields hold at most this many characters; the rest of longer input is cut.
constexpr int kFieldSize = static_cast<int>(kMaxSearchText) + 1;

class Prompt : public ModalDialog {
public:
    Prompt(const PromptRequest& request, const PromptIds& ids) : request(request), ids(ids) {}

private:
    bool withSelection() const { return request.kind == PromptKind::HelperWithSelection; }
    bool helper() const { return request.kind != PromptKind::Extension; }
    bool onInit() override;
    bool onCommand(int id, int notification) override;
    void init(HWND dialog) const;
    void confirm(HWND dialog) const;

    const PromptRequest& request;
    const PromptIds& ids;
};

std::string fieldText(HWND dialog, int id) {
    char buffer[kFieldSize] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

std::string remembered(const std::string& key) {
    char buffer[kFieldSize] = "";
    GetPrivateProfileStringA(kPromptSection, key.c_str(), "*", buffer, sizeof buffer, kSettingsFile);
    return buffer;
}

void Prompt::init(HWND dialog) const {
    centreOnDesktop(dialog);
    SetWindowTextA(dialog, text::lookupText(request.titleId));
    SetDlgItemTextA(dialog, ids.label, text::lookupText(15029));
    SetDlgItemTextA(dialog, ids.hint, request.hintId ? text::lookupText(request.hintId) : "");
    SetDlgItemTextA(dialog, ids.help, text::lookupText(15065));
    SetDlgItemTextA(dialog, IDCANCEL, text::lookupText(15077));
    SendDlgItemMessageA(dialog, ids.searchEdit, EM_LIMITTEXT, kMaxSearchText, 0);
    // The single-field helper prompt keeps its resource text "&Ok".
    if (request.kind != PromptKind::HelperSearchOnly)
        SetDlgItemTextA(dialog, IDOK, text::lookupText(15032));
    SearchState& state = searchState();
    if (!helper()) {
        SetDlgItemTextA(dialog, ids.searchEdit, state.lastTyped.c_str());
        return;
    }
    SetDlgItemTextA(dialog, ids.searchEdit, remembered(request.keyA).c_str());
    if (withSelection()) {
        SetDlgItemTextA(dialog, ids.selectionLabel, text::lookupText(15109));
        SetDlgItemTextA(dialog, ids.selectionHint, text::lookupText(15011));
        SendDlgItemMessageA(dialog, ids.selectionEdit, EM_LIMITTEXT, kMaxSearchText, 0);
        SetDlgItemTextA(dialog, ids.selectionEdit, remembered(request.keyB).c_str());
    }
    const struct {
        int id;
        std::uint32_t text;
        bool value;
    } boxes[] = {{ids.hidden, 15045, state.attributes.hidden},
                 {ids.system, 15046, state.attributes.system},
                 {ids.readOnly, 15047, state.attributes.readOnly},
                 {ids.archive, 15048, state.attributes.archive}};
    for (const auto& box : boxes) {
        SetDlgItemTextA(dialog, box.id, text::lookupText(box.text));
        CheckDlgButton(dialog, box.id, box.value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void Prompt::confirm(HWND dialog) const {
    SearchState& state = searchState();
    const std::string typed = fieldText(dialog, ids.searchEdit);
    if (!helper()) {
        state.searchText = searchTextFromField(typed);
        state.lastTyped = state.searchText;
        state.searchPatterns = splitPatterns(upperCase(state.searchText));
        return;
    }
    state.attributes.hidden = IsDlgButtonChecked(dialog, ids.hidden) == BST_CHECKED;
    state.attributes.system = IsDlgButtonChecked(dialog, ids.system) == BST_CHECKED;
    state.attributes.readOnly = IsDlgButtonChecked(dialog, ids.readOnly) == BST_CHECKED;
    state.attributes.archive = IsDlgButtonChecked(dialog, ids.archive) == BST_CHECKED;
    WritePrivateProfileStringA(kPromptSection, request.keyA.c_str(), typed.c_str(), kSettingsFile);
    state.searchText = searchTextFromField(upperCase(typed));
    state.searchPatterns = splitPatterns(state.searchText);
    if (withSelection()) {
        const std::string selection = fieldText(dialog, ids.selectionEdit);
        WritePrivateProfileStringA(kPromptSection, request.keyB.c_str(), selection.c_str(), kSettingsFile);
        state.namePatterns = splitPatterns(searchTextFromField(upperCase(selection)));
    } else {
        state.namePatterns = {"*"};
    }
}

bool Prompt::onInit() {
    init(window());
    return true;
}

bool Prompt::onCommand(int id, int) {
    if (id == IDOK) {
        confirm(window());
        end(IDOK);
    } else if (id == IDCANCEL) {
        end(IDCANCEL);
    } else if (id == ids.help) {
        WinHelpA(window(), deliverable().helpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>("Suchbegriff"));
    } else {
        return false;
    }
    return true;
}

} // namespace

SearchState& searchState() {
    static SearchState state;
    return state;
}

const UpperTable& platformUpperTable() {
    static const UpperTable table = [] {
        UpperTable t;
        for (unsigned c = 0; c < 256; ++c) {
            char one = static_cast<char>(c);
            if (c != 0)
                CharUpperBuffA(&one, 1);
            t.map[c] = static_cast<unsigned char>(one);
        }
        return t;
    }();
    return table;
}

std::string upperCase(const std::string& s) {
    return platformUpperTable().apply(s);
}

bool promptForSearch(HWND parent, const PromptRequest& request) {
    Prompt prompt(request, request.kind == PromptKind::Extension ? kExtensionIds : kHelperIds);
    const int resource = request.kind == PromptKind::HelperWithSelection ? kHelperPromptWithSelection
                         : request.kind == PromptKind::HelperSearchOnly  ? kHelperPromptSearchOnly
                                                                         : kExtensionPrompt;
    const INT_PTR result = prompt.runModal(resourceModule(), resource, parent);
    if (result != IDOK)
        return false;
    dispatchPendingMessages();
    return true;
}

} // namespace filetools
