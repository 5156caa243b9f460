// Rules of the settings and programs dialogs.
#include "extension/settings_dialog.h"

#include "extension/program_text.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

const std::array<FunctionControls, kFunctionCount> kFunctionControls = {{
    {IDC_SETTINGS_FTP_CHECK, IDC_SETTINGS_FTP_EDIT, Function::Ftp, 0},
    {IDC_SETTINGS_SEARCH_FILES_CHECK, IDC_SETTINGS_SEARCH_FILES_EDIT, Function::SearchFiles, 15015},
    {IDC_SETTINGS_SEARCH_NAME_CHECK, IDC_SETTINGS_SEARCH_NAME_EDIT, Function::SearchName, 15018},
    {IDC_SETTINGS_EQUAL_FILES_CHECK, IDC_SETTINGS_EQUAL_FILES_EDIT, Function::EqualFiles, 15016},
    {IDC_SETTINGS_FILE_SIZES_CHECK, IDC_SETTINGS_FILE_SIZES_EDIT, Function::FileSizes, 15017},
    {IDC_SETTINGS_ATTRIBUTES_CHECK, IDC_SETTINGS_ATTRIBUTES_EDIT, Function::Attributes, 15040},
    {IDC_SETTINGS_DATE_CHECK, IDC_SETTINGS_DATE_EDIT, Function::Date, 15039},
    {IDC_SETTINGS_SEARCH_INFO_CHECK, IDC_SETTINGS_SEARCH_INFO_EDIT, Function::SearchInfo, 15101},
    {IDC_SETTINGS_FILE_INFO_CHECK, IDC_SETTINGS_FILE_INFO_EDIT, Function::FileInfo, 15102},
    {IDC_SETTINGS_REBUILD_WINDOW_CHECK, IDC_SETTINGS_REBUILD_WINDOW_EDIT, Function::RebuildWindow, 15103},
    {IDC_SETTINGS_REBUILD_ALL_CHECK, IDC_SETTINGS_REBUILD_ALL_EDIT, Function::RebuildAll, 15104},
}};

const std::array<int, kProgramSlots> kProgramEdits = {
    IDC_PROGRAMS_SLOT1_EDIT, IDC_PROGRAMS_SLOT2_EDIT, IDC_PROGRAMS_SLOT3_EDIT, IDC_PROGRAMS_SLOT4_EDIT,
    IDC_PROGRAMS_SLOT5_EDIT, IDC_PROGRAMS_SLOT6_EDIT, IDC_PROGRAMS_SLOT7_EDIT, IDC_PROGRAMS_SLOT8_EDIT,
};

std::string editTextAtOpening(const std::string& setting) {
    return isSwitchedOff(setting) ? std::string() : setting;
}

std::string storedText(const std::string& typed) {
    if (typed.empty() || static_cast<unsigned char>(typed[0]) < 33)
        return "-";
    return typed;
}

int arrangementRadio(int arrangement) {
    switch (arrangement) {
    case 0:
        return IDC_SETTINGS_PALETTE_NONE_RADIO;
    case -1:
        return IDC_SETTINGS_PALETTE_ROW_RADIO;
    case 1:
        return IDC_SETTINGS_PALETTE_COLUMN_RADIO;
    default:
        return 0;
    }
}

int arrangementAfterOk(int checkedRadio, int current) {
    switch (checkedRadio) {
    case IDC_SETTINGS_PALETTE_NONE_RADIO:
        return 0;
    case IDC_SETTINGS_PALETTE_ROW_RADIO:
        return -1;
    case IDC_SETTINGS_PALETTE_COLUMN_RADIO:
        return 1;
    default:
        return current;
    }
}

ProgramsOutcome takeProgramTexts(const std::array<std::string, kProgramSlots>& typed,
                                 std::array<std::string, kProgramSlots>& programs,
                                 const std::function<bool(const std::string& program)>& resolves) {
    for (std::size_t n = 0; n < kProgramSlots; ++n) {
        const std::string text = storedText(typed[n]);
        if (text != "-") {
            const std::string program = splitProgramText(text).program;
            if (!resolves(program))
                return {false, program};
        }
        programs[n] = text;
    }
    return {true, {}};
}

std::string programNotFoundText(const std::string& program) {
    return "Das Programm '" + program + "' kann nicht gefunden werden !";
}

} // namespace ext
