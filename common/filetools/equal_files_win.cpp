// The comparison's lines and counters in the result dialog.
#include "common/filetools/equal_files_win.h"

#include "common/filetools/equal_files.h"
#include "common/filetools/file_lines_win.h"
#include "common/filetools/file_table.h"
#include "common/filetools/walk_win.h"

namespace filetools {

namespace {

class DialogSink {
public:
    DialogSink(ResultDialog& dialog, const FileTable& table) : dialog_(dialog), table_(table) {}

    void searched(std::size_t) {
        dialog_.countFileSearched();
        const auto n = static_cast<std::uint64_t>(table_.size());
        dialog_.setProgress(static_cast<int>(static_cast<std::uint64_t>(dialog_.filesSearched()) * 100 / n));
    }
    void current(std::size_t u) {
        dialog_.setCurrentFile(path(u));
        dialog_.refreshIfDue();
    }
    bool groupStarts(std::size_t u) {
        dialog_.countFileWithHits();
        return add(std::string(groupHead(table_.nameEntries()[u]))) && add(detail(u));
    }
    bool equalFound(std::size_t g) {
        if (!add(detail(g)))
            return false;
        dialog_.countHit();
        return true;
    }
    bool goOn(std::size_t) {
        if (!pumpMessagesSawEscape())
            return true;
        resultCancel().set = true;
        return false;
    }

private:
    std::string path(std::size_t i) const { return std::string(FileTable::pathOf(table_.pathEntries()[i])); }
    std::string detail(std::size_t i) const {
        const std::string p = path(i);
        FileStatus status;
        if (!queryFileStatus(p, status))
            return detailLineWithoutStatus(p);
        return detailLine(p, localStamp(status.creation), status.attributes, status.size);
    }
    bool add(const std::string& line) {
        if (dialog_.addLine(line))
            return true;
        dialog_.reportLowMemory();
        return false;
    }

    ResultDialog& dialog_;
    const FileTable& table_;
};

} // namespace

void compareEqualFiles(ResultDialog& dialog) {
    FileTable& table = fileTable();
    DialogSink sink(dialog, table);
    compareEqualEntries(table.nameEntries(), sink);
    table.clear();
}

} // namespace filetools
