// The one result window of all list-producing tools: it opens, runs the tool
// of its mode while the counters grow, and then lets the user compact the
// lines and copy the selected ones to the clipboard.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/filetools/result_lines.h"
#include "common/win/modal_dialog.h"

namespace filetools {

inline constexpr int kResultDialog = 104;

// Control ids and behaviour that differ between the deliverables.
struct ResultProfile {
    bool helper; // caption with mode and search text, its own tab stops, animation, progress bar
    int list, currentFile, searched, hits, withHits;
    int currentLabel, searchedLabel, hitsLabel, inLabel, filesLabel;
    int removeColumn, compact, help;
    int animation;                 // 0: none
    int progress;                  // 0: none
    int meter;                     // 0: none
    std::uint32_t lowMemoryTextId; // 0: the fixed text below
    const char* lowMemoryText;
};
extern const ResultProfile kHelperResult;
extern const ResultProfile kExtensionResult;

// Set by "<", cleared when a content search starts: "<<" then starts at the
// beginning of the line.
bool& firstColumnRemoved();

class ResultDialog : public ModalDialog {
public:
    using Tool = std::function<void(ResultDialog&)>;

    ResultDialog(const ResultProfile& profile, ResultMode mode, std::string searchText, Tool tool);

    // Runs modally; IDOK or IDCANCEL (Escape after the tool), -1 when the
    // dialog could not be created.
    INT_PTR run(HWND owner);

    // Services for the tools.
    bool addLine(const std::string& line); // false when the list refuses it
    void countFileSearched() { ++filesSearched_; }
    void countHit() { ++hits_; }
    void countFileWithHits() { ++filesWithHits_; }
    long filesSearched() const { return filesSearched_; }
    long hits() const { return hits_; }
    long filesWithHits() const { return filesWithHits_; }
    void setCurrentFile(std::string_view path) { currentFile_.assign(path); } // reuses the text's room
    void refreshIfDue();
    void refresh();
    void setProgress(int percent); // the progress bar, or the extension's percentage meter in mode 1
    // Shows this deliverable's low-memory message and cancels the walk.
    void reportLowMemory();

    HWND list() const;
    // The texts of the selected lines, in list order.
    std::vector<std::string> selectedLines() const;
    const ResultProfile& profile() const { return profile_; }
    ResultMode mode() const { return mode_; }

private:
    bool onInit() override;
    bool onCommand(int id, int notification) override;
    void setUpControls();
    void removeFirstColumns();
    void compactAllColumns();
    void copySelectionToClipboard();
    std::string lineText(int index) const;
    static LRESULT CALLBACK listProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    bool replaceLine(int index, const std::string& text);

    const ResultProfile& profile_;
    ResultMode mode_;
    std::string searchText_;
    Tool tool_;
    bool finished_ = false;
    bool running_ = false; // the tool is at work: the list is redrawn only at refreshes
    long filesSearched_ = 0, hits_ = 0, filesWithHits_ = 0;
    std::string currentFile_;
    // Looked up once: every look-up by id asks the window server under Wine.
    HWND list_ = nullptr, currentField_ = nullptr, searchedField_ = nullptr, hitsField_ = nullptr,
         withHitsField_ = nullptr;
    HWND progressBar_ = nullptr;
    int shownPercent_ = 0;
};

// A right-button press on a finished list of the helper calls this, with the
// press in screen coordinates (the extension's list has no context menu).
using ResultContextMenu = std::function<void(ResultDialog& dialog, POINT screen)>;
void setResultContextMenu(ResultContextMenu menu);

// Dispatches pending keyboard messages only; true when Escape was pressed.
bool pumpKeyboardSawEscape();

// Places text on the clipboard as plain text in a block of kClipboardBlock
// bytes; false when the block or the clipboard could not be had.
bool putClipboardText(HWND owner, const std::string& text);

} // namespace filetools
