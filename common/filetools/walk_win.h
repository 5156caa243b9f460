// Expanding paths into single files: the status of one path, the directory
// walk in each deliverable's order, the message pump that watches for Escape,
// the once-a-second refresh and the progress window of the plain walk.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace filetools {

// What a walk knows of one path.
struct FileStatus {
    FILETIME creation{}; // last-write time when the file system has none
    FILETIME lastWrite{};
    FILETIME lastAccess{}; // last-write time when the file system has none
    std::uint32_t size = 0;
    std::uint8_t attributes = 0; // platform bits masked with 0x7F
};

// One look-up of the path itself after making it absolute; false when that
// fails or the path does not exist.
bool queryFileStatus(const std::string& path, FileStatus& status);

// The helper walks the files of a directory before its subdirectories; the
// extension takes every child in enumeration order.
enum class WalkOrder { FilesFirst, Interleaved };

// Stops a walker family. Once set, every further step returns at once.
struct CancelFlag {
    bool set = false;
};
CancelFlag& selectionCancel(); // SelectionWalk
CancelFlag& resultCancel();    // FilteredWalk and ResultWalk

// Dispatches every pending message of the thread; true when an Escape
// key-down was among them.
bool pumpMessagesSawEscape();

// True when the local wall-clock second differs from the one of the last
// refresh (one value for the whole process), and remembers the new second.
bool refreshDue();

// A file reached by a walk, with the status the walk already has (nullptr
// when it has none: a path that does not exist). Returns 1 to stop the walk.
using FileVisit = std::function<int(const std::string& path, const FileStatus* status)>;

// Expands one path: a file is visited, a directory walked below (names that
// begin with '.' skipped), a drive root of three characters or fewer cut to
// its first two and walked as a directory (the cut is made in path).
// Returns 1 when the walk was cancelled, else 0.
int walkPath(std::string& path, WalkOrder order, CancelFlag& cancel, const FileVisit& visit);

// The module whose resources hold this deliverable's dialogs: the one this
// code is linked into, unless a test points it at a deliverable's file.
HINSTANCE resourceModule();
void setResourceModule(HINSTANCE module);
// Registers the animation and progress controls the dialogs use.
void ensureCommonControls();
// Places a window in the middle of the desktop.
void centreOnDesktop(HWND window);

// The progress window of the plain walk, and what differs per deliverable.
struct ProgressProfile {
    WalkOrder order;
    int labelId, counterId, fileFieldId;
    bool fieldShowsDirectory; // the helper shows the directory, the extension the file name
    std::uint32_t captionTextId;
    int animationId; // 0: none
    int aviId;
};
extern const ProgressProfile kHelperProgress;
extern const ProgressProfile kExtensionProgress;

inline constexpr int kProgressDialog = 106;

// The plain walk over a list of paths: the progress window, the wait cursor,
// the counter and the file field; `action` per file (1 stops the walk).
// Returns 1 when cancelled.
class SelectionWalker {
public:
    explicit SelectionWalker(const ProgressProfile& profile);
    ~SelectionWalker();
    SelectionWalker(const SelectionWalker&) = delete;
    SelectionWalker& operator=(const SelectionWalker&) = delete;

    // Walks one path; 1 when the walk is cancelled.
    int walk(std::string path, const FileVisit& action);
    HWND window() const { return window_; }
    long filesProcessed() const { return count_; }

private:
    int processFile(const std::string& path, const FileStatus* status, const FileVisit& action);

    const ProgressProfile& profile_;
    HWND window_ = nullptr;
    HCURSOR previousCursor_ = nullptr;
    long count_ = 0;
};

} // namespace filetools
