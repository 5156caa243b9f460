// Reading the selection list file line by line.
#include "common/filetools/selection_list.h"

#include <cstring>

namespace filetools {

bool copyEntry(char* out, std::size_t size, std::string_view entry) {
    if (size == 0)
        return false;
    if (entry.size() >= size || entry.find('\0') != std::string_view::npos) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, entry.data(), entry.size());
    out[entry.size()] = '\0';
    return true;
}

SelectionListReader::~SelectionListReader() {
    close();
}

bool SelectionListReader::open(const std::string& path) {
    close();
    skippedTooLong_ = 0;
    if (path.empty())
        return false;
    file_ = std::fopen(path.c_str(), "r");
    return file_ != nullptr;
}

void SelectionListReader::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool SelectionListReader::nextLine(std::string& line) {
    if (file_ == nullptr)
        return false;
    for (;;) {
        line.clear();
        bool any = false;
        int c;
        while ((c = std::fgetc(file_)) != EOF) {
            any = true;
            if (c == '\n')
                break;
            line.push_back(static_cast<char>(c));
        }
        if (!any)
            return false;
        // Text mode on the platform already folds CR LF; elsewhere the CR is still here.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            return true;
    }
}

bool SelectionListReader::nextEntry(char (&out)[kEntrySize]) {
    std::string line;
    while (nextLine(line)) {
        if (copyEntry(out, kEntrySize, line))
            return true;
        ++skippedTooLong_;
    }
    out[0] = '\0';
    return false;
}

bool readSelectionList(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    SelectionListReader reader;
    if (!reader.open(path))
        return false;
    std::string line;
    while (reader.nextLine(line))
        lines.push_back(line);
    return true;
}

} // namespace filetools
