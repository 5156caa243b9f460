// The drag protocol between the two FTP trees: the source checks that only
// files are dragged and hands over its list; the target copies each file
// into the directory under the drop point, showing each pair as it goes.
#include "extension/ftp/file_tree_win.h"

#include "common/text/language_win.h"
#include "common/win/plain_message.h"
#include "extension/ftp/ftp_client_win.h"
#include "extension/ftp/copy_progress_dialog_win.h"
#include "extension/ftp/tree_paths.h"
#include "extension/listbox/image_bands.h"
#include "resources/list_box_ids.h"
#include "extension/listbox/list_images_win.h"

namespace ftp {

namespace {

const char kOnlyFilesMessage[] = "bitte nur Dateien selekieren !";
const char kSameTreeMessage[] = "dies wird nicht unterstützt !";
constexpr std::uint32_t kNoConnectionText = 15079;
constexpr std::size_t kPathGrowStep = 500;
constexpr int kTextGap = 3;

int imageFor(const TreeItem& item) {
    if (!item.isDirectory())
        return listbox::kImageFile;
    return item.expanded ? listbox::kImageExpandedDirectory : listbox::kImageCollapsedDirectory;
}

// Grows in steps, as the tables of the trees always have.
void reserveStep(std::vector<std::string>& table) {
    if (table.size() == table.capacity())
        table.reserve(table.size() + kPathGrowStep);
}

} // namespace

void showNoConnection(HWND owner) {
    showMessage(owner, text::lookupText(kNoConnectionText));
}

FileTree::FileTree(FtpClient& client, HINSTANCE module, char separator)
    : client_(client), module_(module), separator_(separator) {}

FileTree::~FileTree() = default;

const std::string& FileTree::pathOf(const TreeItem& item) const {
    static const std::string none;
    return item.pathNumber >= 1 && item.pathNumber <= paths_.size() ? paths_[item.pathNumber - 1] : none;
}

bool FileTree::connectionLost() {
    if (client_.connected())
        return false;
    showNoConnection(dialog());
    return true;
}

std::uint32_t FileTree::addPath(std::string path) {
    reserveStep(paths_);
    paths_.push_back(std::move(path));
    return static_cast<std::uint32_t>(paths_.size());
}

int FileTree::insertEntries(const std::vector<ListingEntry>& entries, TreeItem* parent, int& position) {
    const std::string parentPath = parent != nullptr ? pathOf(*parent) : topLevelPath_;
    int result = 0;
    for (const ListingEntry& entry : entries) {
        const std::uint32_t number = addPath(childPath(parentPath, entry.name, separator_));
        const ItemKind kind = entry.kind == EntryKind::Directory ? ItemKind::Directory : ItemKind::File;
        result = insertItem(number, kind, parent, parent != nullptr ? position + 1 : -1);
        if (result < 0)
            paths_.pop_back();
        else
            position = result;
        if (result == listbox::kListFull)
            break;
    }
    if (result < 0)
        position = result;
    return result;
}

void FileTree::drawTreeItem(HDC dc, const TreeItem& item, const RECT& rect, bool selected) {
    if (const ListImageSet* images = imageSet())
        images->drawImage(dc, rect.left + 1, rect.top, imageFor(item),
                          selected ? listbox::kBandSelected : listbox::kBandNormal);
    const std::string_view name = lastPathPart(pathOf(item), separator_);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, rect.left + listbox::kImageWidth + kTextGap, rect.top, name.data(), static_cast<int>(name.size()));
    SetBkMode(dc, oldMode);
}

void FileTree::dropAction(HWND target, POINT point, LPARAM) {
    dragList_.clear();
    for (int index : selectedItems()) {
        const TreeItem* row = item(index);
        if (row == nullptr)
            continue;
        if (row->isDirectory()) {
            showMessage(dialog(), kOnlyFilesMessage);
            ReleaseCapture();
            dragList_.clear();
            return;
        }
        reserveStep(dragList_);
        dragList_.push_back(pathOf(*row));
    }
    ReleaseCapture();
    CDragStruct drop;
    drop.x = point.x;
    drop.y = point.y;
    drop.source = window();
    drop.count = static_cast<LONG>(dragList_.size());
    SendMessageA(target, testDropMessage(), 0, reinterpret_cast<LPARAM>(&drop));
}

bool FileTree::canDrop(HWND target, POINT, bool) {
    return SendMessageA(target, testCanDropMessage(), 0, 0) != 0;
}

HCURSOR FileTree::dragCursor(int index) {
    const ListImageSet* images = imageSet();
    if (images == nullptr)
        return nullptr;
    switch (index) {
    case listbox::kCursorControlOne:
    case listbox::kCursorControlMany:
        return images->cursor(IDCUR_FTP_COPY_CONTROL);
    case listbox::kCursorPlainOne:
    case listbox::kCursorPlainMany:
        return images->cursor(IDCUR_FTP_COPY_PLAIN);
    default:
        return nullptr;
    }
}

LRESULT FileTree::onTestCanDrop() {
    return 1;
}

LRESULT FileTree::onTestDrop(const CDragStruct& drop) {
    if (drop.source == window()) {
        showMessage(dialog(), kSameTreeMessage);
        return 0;
    }
    // Only the other tree of this dialog knows what its drag list means.
    const auto* source = dynamic_cast<const FileTree*>(CListBoxEx::fromWindow(drop.source));
    const int index = itemFromPoint(POINT{drop.x, drop.y});
    const TreeItem* row = index >= 0 ? item(index) : nullptr;
    if (source == nullptr || row == nullptr)
        return 1;
    const std::string directory = dropDirectory(pathOf(*row), row->isDirectory(), separator_);
    // A copy of the list: a message handled during a transfer could start another drag.
    const std::vector<std::string> sources = source->dragList();
    bool failed = false;
    {
        CopyProgressDialog progress(module_, dialog());
        for (const std::string& path : sources) {
            const std::string destination = copyDestination(directory, separator_, path, source->separator());
            progress.show(path, destination);
            HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
            // The client showed the server's reason for a refused file, and the
            // next file goes on; without the connection the rest would fail too.
            failed = !copyIn(path, destination);
            SetCursor(previous);
            if (failed && !client_.connected())
                break;
        }
    }
    if (failed)
        connectionLost();
    return 1;
}

} // namespace ftp
