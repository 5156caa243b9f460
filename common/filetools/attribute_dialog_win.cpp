// The attribute dialog: radio buttons the program marks itself, so that a
// second click on a mark releases it.
#include "common/filetools/attribute_dialog_win.h"

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "common/win/modal_dialog.h"
#include "common/win/pending_messages.h"

namespace filetools {

// Order of the arrays: read-only, hidden, system, archive (as Attribute).
const AttributeDialogIds kHelperAttributeIds = {
    {1008, 1009, 1011, 1010}, {1044, 1046, 1050, 1048}, {1045, 1047, 1051, 1049}, 1053};
const AttributeDialogIds kExtensionAttributeIds = {
    {160, 162, 166, 164}, {215, 218, 222, 220}, {217, 219, 223, 221}, 224};

namespace {

constexpr std::uint32_t kGroupTexts[] = {15047, 15045, 15046, 15048};

class AttributeDialog : public ModalDialog {
public:
    AttributeDialog(const AttributeDialogIds& ids, AttributeChange& change) : ids_(ids), change_(change) {}

private:
    bool onInit() override {
        HWND dialog = window();
        centreOnDesktop(dialog);
        SetWindowTextA(dialog, text::lookupText(15044));
        for (int a = 0; a < 4; ++a) {
            SetDlgItemTextA(dialog, ids_.group[a], text::lookupText(kGroupTexts[a]));
            SetDlgItemTextA(dialog, ids_.set[a], text::lookupText(15049));
            SetDlgItemTextA(dialog, ids_.clear[a], text::lookupText(15050));
        }
        SetDlgItemTextA(dialog, IDCANCEL, text::lookupText(15077));
        SetDlgItemTextA(dialog, ids_.help, text::lookupText(15065));
        // A radio button that gets the focus from the platform reports a
        // click, which would mark a pair at opening: OK takes the focus.
        SetFocus(GetDlgItem(dialog, IDOK));
        return false;
    }

    PairMark marked(int a) const {
        if (IsDlgButtonChecked(window(), ids_.set[a]) == BST_CHECKED)
            return PairMark::Set;
        return IsDlgButtonChecked(window(), ids_.clear[a]) == BST_CHECKED ? PairMark::Clear : PairMark::Untouched;
    }

    void click(int a, PairMark clicked) {
        const PairMark next = afterClick(marked(a), clicked);
        CheckDlgButton(window(), ids_.set[a], next == PairMark::Set ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(window(), ids_.clear[a], next == PairMark::Clear ? BST_CHECKED : BST_UNCHECKED);
    }

    bool onCommand(int id, int notification) override {
        for (int a = 0; a < 4; ++a) {
            if ((id == ids_.set[a] || id == ids_.clear[a]) && notification == BN_CLICKED) {
                click(a, id == ids_.set[a] ? PairMark::Set : PairMark::Clear);
                return true;
            }
        }
        if (id == IDOK) {
            for (int a = 0; a < 4; ++a)
                change_.marks[a] = marked(a);
            end(IDOK);
        } else if (id == IDCANCEL) {
            end(IDCANCEL);
        } else if (id == ids_.help) {
            WinHelpA(window(), deliverable().helpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>("Dateieigenschaften"));
        } else {
            return false;
        }
        return true;
    }

    const AttributeDialogIds& ids_;
    AttributeChange& change_;
};

} // namespace

bool runAttributeDialog(HWND parent, const AttributeDialogIds& ids, AttributeChange& change) {
    AttributeDialog dialog(ids, change);
    if (dialog.runModal(resourceModule(), kAttributeDialog, parent) != IDOK)
        return false;
    dispatchPendingMessages();
    return true;
}

} // namespace filetools
