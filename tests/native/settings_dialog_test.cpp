// Rules of the settings and programs dialogs.
#include <gtest/gtest.h>

#include "extension/settings_dialog.h"
#include "resources/settings_dialog_ids.h"

TEST(SettingsDialog, TypedTextsAsStored) {
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"", "-"},
        {" ", "-"},
        {" Suche", "-"},
        {"\x1f", "-"},
        {"!", "!"},
        {"\xc4mter", "\xc4mter"}, // "Ä": above 127, stored as typed
        {"&Suche in Dateien...", "&Suche in Dateien..."},
        {"-", "-"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ext::storedText(c.typed), c.stored) << "typed \"" << c.typed << "\"";
    EXPECT_EQ(ext::editTextAtOpening("-"), "");
    EXPECT_EQ(ext::editTextAtOpening("-alt"), "");
    EXPECT_EQ(ext::editTextAtOpening("Suche"), "Suche");
}

TEST(SettingsDialog, PaletteArrangementThroughTheHiddenRadios) {
    EXPECT_EQ(ext::arrangementRadio(0), IDC_SETTINGS_PALETTE_NONE_RADIO);
    EXPECT_EQ(ext::arrangementRadio(-1), IDC_SETTINGS_PALETTE_ROW_RADIO);
    EXPECT_EQ(ext::arrangementRadio(1), IDC_SETTINGS_PALETTE_COLUMN_RADIO);
    EXPECT_EQ(ext::arrangementRadio(5), 0) << "a hand-made arrangement checks none";
    EXPECT_EQ(ext::arrangementAfterOk(0, 5), 5) << "Pa 5 stays when no radio is checked";
    EXPECT_EQ(ext::arrangementAfterOk(IDC_SETTINGS_PALETTE_ROW_RADIO, 5), -1);
    EXPECT_EQ(ext::arrangementAfterOk(IDC_SETTINGS_PALETTE_NONE_RADIO, 1), 0);
}

TEST(SettingsDialog, ProgramsStopAtTheFirstUnknownProgram) {
    const auto resolves = [](const std::string& program) { return program != "nix.exe"; };
    std::array<std::string, ext::kProgramSlots> programs = {"Notepad", "Write", "WinWord", "Excel", "-", "-", "-", "-"};
    const std::array<std::string, ext::kProgramSlots> typed = {
        "write.exe /p", "", "nix.exe a b", " Excel", "", "", "", ""};

    ext::ProgramsOutcome outcome = ext::takeProgramTexts(typed, programs, resolves);
    EXPECT_FALSE(outcome.complete);
    EXPECT_EQ(outcome.missing, "nix.exe");
    EXPECT_EQ(ext::programNotFoundText(outcome.missing), "Das Programm 'nix.exe' kann nicht gefunden werden !");
    const std::array<std::string, ext::kProgramSlots> kept = {
        "write.exe /p", "-", "WinWord", "Excel", "-", "-", "-", "-"};
    EXPECT_EQ(programs, kept) << "the slots before the unknown program take their new texts";

    std::array<std::string, ext::kProgramSlots> fixed = typed;
    fixed[2] = "vi.exe x";
    outcome = ext::takeProgramTexts(fixed, programs, resolves);
    EXPECT_TRUE(outcome.complete);
    const std::array<std::string, ext::kProgramSlots> all = {"write.exe /p", "-", "vi.exe x", "-", "-", "-", "-", "-"};
    EXPECT_EQ(programs, all);
}
