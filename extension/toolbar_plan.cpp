// Toolbar buttons and palette geometry.
#include "extension/toolbar_plan.h"

#include <cctype>

#include "extension/command_routing.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

namespace {

struct KnownProgram {
    const char* name;
    int image;
};

// Searched in this order; the first name found in the path wins.
constexpr KnownProgram kKnownPrograms[] = {
    {"WRITE", IDB_BUTTON_WRITE}, {"NOTEPAD", IDB_BUTTON_NOTEPAD}, {"WINWORD", IDB_BUTTON_WINWORD},
    {"EXCEL", IDB_BUTTON_EXCEL}, {"PKUNZIP", IDB_BUTTON_PKUNZIP}, {"POWERPNT", IDB_BUTTON_POWERPNT},
    {"VI", IDB_BUTTON_VI},
};

struct FunctionButton {
    Function function;
    int command;
    int image;
};

// The switchable groups, each after a separator.
constexpr FunctionButton kSearchGroup[] = {
    {Function::SearchFiles, kCommandSearchFiles, IDB_BUTTON_SEARCH_FILES},
    {Function::SearchName, kCommandFindName, IDB_BUTTON_SEARCH_NAME},
    {Function::EqualFiles, kCommandEqualFiles, IDB_BUTTON_EQUAL_FILES},
    {Function::FileSizes, kCommandFileSizes, IDB_BUTTON_FILE_SIZES},
};
constexpr FunctionButton kPropertiesGroup[] = {
    {Function::Attributes, kCommandAttributes, IDB_BUTTON_ATTRIBUTES},
    {Function::Date, kCommandDate, IDB_BUTTON_DATE},
};
constexpr FunctionButton kInfoGroup[] = {
    {Function::SearchInfo, kCommandSearchInfo, IDB_BUTTON_SEARCH_INFO},
    {Function::FileInfo, kCommandFileInfo, IDB_BUTTON_FILE_INFO},
};

constexpr ToolbarButton kSeparator{0, 0};
constexpr int kStep = 22; // across; down is one less
constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
constexpr int kBorder = 3;
constexpr int kDragStrip = 11;

template <std::size_t N>
void addGroup(std::vector<ToolbarButton>& plan, const ExtensionSettings& settings, const FunctionButton (&group)[N]) {
    plan.push_back(kSeparator);
    for (const FunctionButton& b : group)
        if (!isSwitchedOff(settings.function(b.function)))
            plan.push_back({b.command, b.image});
}

} // namespace

int programImage(const std::string& commandLine) {
    std::string path = commandLine.substr(0, commandLine.find(' '));
    for (char& c : path)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const KnownProgram& known : kKnownPrograms)
        if (path.find(known.name) != std::string::npos)
            return known.image;
    return 0;
}

std::vector<ToolbarButton> planToolbar(const ExtensionSettings& settings,
                                       const std::array<std::string, kProgramSlots>& commandLines) {
    std::vector<ToolbarButton> plan{kSeparator};
    for (std::size_t n = 0; n < kProgramSlots; ++n) {
        if (commandLines[n].empty())
            continue;
        const int image = programImage(commandLines[n]);
        plan.push_back({static_cast<int>(n + 1), image != 0 ? image : kOwnIcon});
    }
    if (!isSwitchedOff(settings.function(Function::Ftp)))
        plan.push_back({kCommandFtp, IDB_BUTTON_FTP});
    addGroup(plan, settings, kSearchGroup);
    addGroup(plan, settings, kPropertiesGroup);
    addGroup(plan, settings, kInfoGroup);
    plan.push_back(kSeparator);
    plan.push_back({kCommandSettings, IDB_BUTTON_SETTINGS});
    plan.push_back({kCommandHelp, IDB_BUTTON_HELP});
    return plan;
}

int paletteColumns(int arrangement, int buttons) {
    if (arrangement < 1)
        return buttons > 0 ? buttons : 1;
    // A hand-edited Pa far past any screen would overflow the palette's size.
    return arrangement < kMaxPaletteColumns ? arrangement : kMaxPaletteColumns;
}

PaletteRect paletteBar(int columns, int buttons) {
    const int rows = (buttons + columns - 1) / columns;
    return {0, 0, kStep * columns + 2 * kBorder + 1, (kStep - 1) * rows + kDragStrip + kBorder + 1};
}

PaletteRect paletteButton(int index, int columns) {
    return {kBorder + kStep * (index % columns), kDragStrip + (kStep - 1) * (index / columns), kButtonWidth,
            kButtonHeight};
}

int paletteButtonAt(int x, int y, int columns, int buttons) {
    // On the shared pixel line the later button, drawn over the earlier, wins.
    for (int i = buttons - 1; i >= 0; --i) {
        const PaletteRect r = paletteButton(i, columns);
        if (x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height)
            return i;
    }
    return -1;
}

bool inPaletteDragStrip(int y) {
    return y <= kDragStrip;
}

} // namespace ext
