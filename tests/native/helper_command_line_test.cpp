// The helper's command line: letter, list path, prompt keys, the end of a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "helper/command_line.h"

using helper::HelperCommand;
using helper::parseCommandLine;
using helper::ToolEnd;

TEST(HelperCommandLine, OnlyTheFirstCharacterOfTheFirstArgumentCounts) {
    using Args = std::vector<std::string>;
    const struct {
        Args arguments;
        char letter;
        bool command;
        const char* listPath;
    } cases[] = {
        {{}, '0', true, ""},
        {{"1", ".\\zqk1A2B.tmp"}, '1', true, ".\\zqk1A2B.tmp"},
        {{"7abc", "list.tmp"}, '7', true, "list.tmp"},
        {{"9"}, '9', true, ""},
        {{"3", "a.tmp", "ignored", "too"}, '3', true, "a.tmp"},
        {{"x"}, 'x', false, ""},
        {{"x", "a.tmp"}, 'x', false, "a.tmp"},
        {{"-1", "a.tmp"}, '-', false, "a.tmp"},
        {{""}, '\0', false, ""},
        {{"4", ""}, '4', true, ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const HelperCommand command = parseCommandLine(cases[i].arguments);
        EXPECT_EQ(cases[i].letter, command.letter) << "case " << i;
        EXPECT_EQ(cases[i].command, helper::isCommandLetter(command.letter)) << "case " << i;
        EXPECT_EQ(cases[i].listPath, command.listPath) << "case " << i;
        EXPECT_EQ(*cases[i].listPath != '\0', command.hasList) << "case " << i;
    }
}

TEST(HelperCommandLine, UnknownFunctionNamesTheWholeFirstArgument) {
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"x"}, "unbekannte Funktion: x"},
        {{"xyz", "list.tmp"}, "unbekannte Funktion: xyz"},
        {{""}, "unbekannte Funktion: "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.message, helper::unknownFunctionMessage(parseCommandLine(c.arguments).firstArgument))
            << "first argument \"" << c.arguments[0] << "\"";
}

TEST(HelperCommandLine, PromptKeysCarryTheLetter) {
    const struct {
        char letter;
        const char* a;
        const char* b;
    } cases[] = {{'1', "f1A", "f1B"}, {'3', "f3A", "f3B"}, {'4', "f4A", "f4B"}, {'8', "f8A", "f8B"}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.a, helper::promptKeyA(c.letter)) << "letter " << c.letter;
        EXPECT_EQ(c.b, helper::promptKeyB(c.letter)) << "letter " << c.letter;
    }
}

TEST(HelperCommandLine, ListFileIsDeletedUnlessAbsentOrKept) {
    const struct {
        std::vector<std::string> arguments;
        ToolEnd end;
        bool deleted;
    } cases[] = {
        {{}, ToolEnd::DeleteList, false},            // no arguments: nothing to delete
        {{"1"}, ToolEnd::DeleteList, false},         // a letter without a list
        {{"1", "a.tmp"}, ToolEnd::DeleteList, true}, //
        {{"x", "a.tmp"}, ToolEnd::DeleteList, true}, // unknown function still cleans up
        {{"7", "a.tmp"}, ToolEnd::KeepList, false},  // the copy tool's error paths
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].deleted, helper::deletesListAtEnd(parseCommandLine(cases[i].arguments), cases[i].end))
            << "case " << i;
}
