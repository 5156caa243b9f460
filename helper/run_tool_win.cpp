// The run dialog and the start through the shell, so that a document opens
// with its associated program.
#include "helper/run_tool_win.h"

#include <shellapi.h>

#include "common/filetools/selection_list_win.h"
#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/modal_dialog.h"
#include "common/win/plain_message.h"
#include "helper/run_request.h"
#include "resources/helper_tools_ids.h"

namespace helper {

namespace {

class RunDialog : public ModalDialog {
public:
    explicit RunDialog(std::string parameters) : parameters(std::move(parameters)) {}

    std::string program, parameters;

private:
    bool onInit() override {
        filetools::centreOnDesktop(window());
        SetWindowTextA(window(), text::lookupText(15143));
        const struct {
            int id;
            std::uint32_t text;
        } labels[] = {
            {IDC_RUN_PROGRAM_LABEL, 15144}, {IDC_RUN_PARAMETERS_LABEL, 15145}, {IDOK, 15076}, {IDCANCEL, 15077}};
        for (const auto& label : labels)
            SetDlgItemTextA(window(), label.id, text::lookupText(label.text));
        SetDlgItemTextA(window(), IDC_RUN_PARAMETERS_EDIT, parameters.c_str());
        return true;
    }
    bool onCommand(int id, int) override {
        if (id == IDOK) {
            program = fieldText(IDC_RUN_PROGRAM_EDIT);
            parameters = fieldText(IDC_RUN_PARAMETERS_EDIT);
        } else if (id != IDCANCEL) {
            return false;
        }
        end(id);
        return true;
    }
    std::string fieldText(int id) const {
        const int length = GetWindowTextLengthA(GetDlgItem(window(), id));
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetDlgItemTextA(window(), id, text.data(), length + 1)));
        return text;
    }
};

} // namespace

void reportStartFailure(HWND owner, long number, const std::string& started) {
    showMessage(owner, startFailureMessage(text::lookupText(15008), number, text::lookupText(15009), started), MB_OK);
}

ToolEnd runWithParameters(const ToolRun& run) {
    filetools::SelectionListReader reader;
    if (!filetools::openSelectionList(reader, run.listPath))
        return ToolEnd::DeleteList;
    std::string first;
    if (!reader.nextLine(first))
        return ToolEnd::DeleteList;
    reader.close();
    RunDialog dialog(first);
    if (dialog.runModal(filetools::resourceModule(), IDD_RUN, nullptr) != IDOK)
        return ToolEnd::DeleteList;
    const RunRequest request = runRequest(dialog.program, dialog.parameters);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, nullptr, request.file.c_str(),
                      request.parameters.empty() ? nullptr : request.parameters.c_str(), nullptr, SW_SHOWNORMAL));
    if (result < 32)
        reportStartFailure(nullptr, static_cast<long>(result), request.file);
    return ToolEnd::DeleteList;
}

} // namespace helper
