// Assembly of the extension menu and the graying rule.
#include "extension/menu_plan.h"

#include "common/text/text_table.h"

namespace ext {

namespace {

struct GroupItem {
    Function function;
    int command;
    std::uint32_t suffixText; // text table row; 0: the fixed "\tF5"
};

constexpr GroupItem kSearchGroup[] = {
    {Function::SearchFiles, 16, 15081},
    {Function::SearchName, 21, 15082},
    {Function::EqualFiles, 17, 15083},
    {Function::FileSizes, 11, 15084},
};
constexpr GroupItem kInfoGroup[] = {
    {Function::SearchInfo, 14, 15085},
    {Function::FileInfo, 10, 15086},
};
constexpr GroupItem kPropertiesGroup[] = {
    {Function::Attributes, 19, 15087},
    {Function::Date, 20, 15088},
};
// The rebuild-window key F5 is the File Manager's own, hence no text row.
constexpr GroupItem kRefreshGroup[] = {
    {Function::RebuildWindow, 12, 0},
    {Function::RebuildAll, 13, 15089},
};

class Plan {
public:
    explicit Plan(unsigned language) : language_(language) {}

    void item(int command, std::string text) { entries_.push_back({command, std::move(text)}); }
    void separator() { entries_.push_back({0, ""}); }
    std::string text(std::uint32_t id) const { return text::lookupText(text::TextCopy::Extension, language_, id); }

    template <std::size_t N> void group(const ExtensionSettings& settings, const GroupItem (&items)[N]) {
        bool any = false;
        for (const GroupItem& g : items) {
            const std::string& label = settings.function(g.function);
            if (isSwitchedOff(label))
                continue;
            item(g.command, label + (g.suffixText == 0 ? std::string("\tF5") : text(g.suffixText)));
            any = true;
        }
        if (any)
            separator();
    }

    std::vector<MenuEntry> take() { return std::move(entries_); }

private:
    unsigned language_;
    std::vector<MenuEntry> entries_;
};

} // namespace

std::vector<MenuEntry> planMenu(const ExtensionSettings& settings,
                                const std::array<std::string, kProgramSlots>& commandLines, unsigned language) {
    Plan plan(language);

    // Programs stand in pairs between separators.
    int sinceSeparator = 0;
    for (std::size_t n = 0; n < kProgramSlots; ++n) {
        if (isSwitchedOff(settings.programs[n]) || commandLines[n].empty())
            continue;
        const int command = static_cast<int>(n) + 1;
        plan.item(command, settings.programs[n] + plan.text(15090) + std::to_string(command));
        if (++sinceSeparator == 2) {
            plan.separator();
            sinceSeparator = 0;
        }
    }
    const std::string& ftp = settings.function(Function::Ftp);
    if (!isSwitchedOff(ftp)) {
        plan.item(9, ftp + "\tStrg+F9");
        sinceSeparator = 1;
    }
    if (sinceSeparator != 0)
        plan.separator();

    plan.group(settings, kSearchGroup);
    plan.group(settings, kInfoGroup);
    plan.group(settings, kPropertiesGroup);
    plan.group(settings, kRefreshGroup);

    plan.item(18, plan.text(15091));
    plan.separator();
    plan.item(15, plan.text(15092));
    return plan.take();
}

bool selectionHoldsOnlyFiles(int focus, unsigned count, const std::function<std::uint8_t(unsigned)>& attributesOf) {
    if (focus != kFocusDirectory && focus != kFocusSearch)
        return false;
    for (unsigned i = 0; i < count; ++i) {
        if (attributesOf(i) & (kAttributeDirectory | kAttributeVolume))
            return false;
    }
    return count > 0;
}

} // namespace ext
