// Splitting program texts into the program and its parameters.
#include <gtest/gtest.h>

#include "extension/program_text.h"

TEST(ProgramText, SplitsAtTheFirstBlank) {
    const struct {
        const char* text;
        const char* program;
        const char* parameters;
    } cases[] = {
        {"Notepad", "Notepad", ""}, {"write.exe /p", "write.exe", " /p"},
        {"a  b c", "a", "  b c"},   {"C:\\Programme\\x.exe -v", "C:\\Programme\\x.exe", " -v"},
        {" lead", "", " lead"},     {"", "", ""},
        {"trail ", "trail", " "},
    };
    for (const auto& c : cases) {
        const ext::ProgramText t = ext::splitProgramText(c.text);
        EXPECT_EQ(t.program, c.program) << "text \"" << c.text << "\"";
        EXPECT_EQ(t.parameters, c.parameters) << "text \"" << c.text << "\"";
        EXPECT_EQ(ext::programCommandLine("X", t), "X" + std::string(c.parameters)) << "text \"" << c.text << "\"";
    }
}
