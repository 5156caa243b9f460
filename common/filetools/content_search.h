// Searching the text of one file: the file read as the C runtime's text mode
// reads it, cut into pieces of at most 999 characters, each piece tested
// against the search patterns, and the hit lines made from the pieces.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/filetools/search_patterns.h"

namespace filetools {

constexpr std::size_t kMaxPiece = 999;    // characters per read
constexpr std::size_t kMaxShownHit = 255; // characters of a hit shown in the list
// The line that follows the hits of one file.
inline constexpr const char* kSeparatorLine = " ";

// Turns the raw bytes of a file into pieces: CR LF becomes LF, a Ctrl-Z byte
// ends the file, and a piece ends after a line feed or after kMaxPiece
// characters (or fewer, where the reader asks for shorter pieces). Feed the
// bytes in blocks of any size, then call finish().
class PieceReader {
public:
    explicit PieceReader(std::size_t maxPiece = kMaxPiece) : maxPiece_(maxPiece < kMaxPiece ? maxPiece : kMaxPiece) {}

    // onPiece(std::string_view piece) returns false to stop reading. feed()
    // returns false when the reading is over: stopped, or Ctrl-Z met.
    template <class OnPiece> bool feed(const char* data, std::size_t size, OnPiece&& onPiece);
    // Hands over the last piece when the file did not end with a line feed.
    template <class OnPiece> void finish(OnPiece&& onPiece);
    bool ended() const { return ended_; }

private:
    template <class OnPiece> bool put(char c, OnPiece& onPiece);

    char piece_[kMaxPiece + 1];
    std::size_t maxPiece_;
    std::size_t length_ = 0;
    bool pendingCr_ = false; // a CR whose successor is not known yet
    bool ended_ = false;     // Ctrl-Z met or the caller stopped
    bool stopped_ = false;   // the caller stopped: nothing more is handed over
};

// Tests pieces against a pattern list. The piece is upper-cased with the same
// table as the patterns; an entry with '*' or '?' must match the whole piece
// (its line feed included), any other entry is looked for as a substring.
class PieceMatcher {
public:
    PieceMatcher(std::vector<std::string> upperPatterns, const UpperTable& upper);
    bool hits(std::string_view piece) const;

    // True when every pattern is a plain substring without a line feed: then
    // a piece can only be a hit where the raw upper-cased bytes hold one of
    // them, which lets the file scanner skip the lines that hold none. (A line
    // feed in a pattern may stand for CR LF in the raw bytes.)
    bool canSkipLines() const { return canSkipLines_ && !patterns_.empty(); }
    // The first position at or after `from` where one of the patterns starts
    // in the text once upper-cased, or npos.
    std::size_t findAny(std::string_view text, std::size_t from) const;

private:
    std::vector<std::string> patterns_;
    std::vector<bool> wildcard_;
    UpperTable upper_;
    std::size_t findHorspool(std::size_t k, std::string_view text, std::size_t from, std::size_t until) const;
    std::size_t findByProbes(std::size_t k, std::string_view text, std::size_t& from, std::size_t until) const;

    // Horspool's skip table per pattern, for the scanner's search.
    struct Skips {
        std::size_t by[256];
    };
    // Two of a pattern's rarest bytes, each with the (at most two) raw bytes
    // that upper-case to it: text positions where both stand are candidates.
    struct Probes {
        bool usable = false;
        std::size_t at[2] = {0, 0};
        unsigned char raw[2][2] = {{0, 0}, {0, 0}};
    };
    std::vector<Skips> skips_;   // only when lines can be skipped
    std::vector<Probes> probes_; // likewise
    bool canSkipLines_ = true;
};

// Searches a whole file: the pieces of the PieceReader, with the lines that
// cannot hold a hit skipped without cutting them into pieces. The hits, their
// order and their text are exactly those of testing every piece.
class FileScanner {
public:
    explicit FileScanner(const PieceMatcher& matcher) : matcher_(matcher) {}

    // onHit(std::string_view piece) returns false to stop. feed() returns
    // false when the reading is over: stopped, or Ctrl-Z met.
    template <class OnHit> bool feed(const char* data, std::size_t size, OnHit&& onHit);
    template <class OnHit> void finish(OnHit&& onHit);

private:
    const PieceMatcher& matcher_;
    PieceReader reader_;
};

// The text of a piece as it stands in the list: cut at the first zero byte,
// after kMaxShownHit characters, then at the first CR and the first LF.
std::string_view shownHit(std::string_view piece);
// "path<TAB>text" for the list.
std::string hitLine(std::string_view path, std::string_view piece);

// ---- implementation of the reader's templates ----

template <class OnPiece> bool PieceReader::put(char c, OnPiece& onPiece) {
    piece_[length_++] = c;
    if (c == '\n' || length_ == maxPiece_) {
        const std::size_t n = length_;
        length_ = 0;
        if (!onPiece(std::string_view(piece_, n))) {
            ended_ = stopped_ = true;
            return false;
        }
    }
    return true;
}

template <class OnPiece> bool PieceReader::feed(const char* data, std::size_t size, OnPiece&& onPiece) {
    std::size_t i = 0;
    while (i < size && !ended_) {
        if (pendingCr_) {
            pendingCr_ = false;
            if (data[i] == '\n') {
                if (!put('\n', onPiece))
                    return false;
                ++i;
                continue;
            }
            if (!put('\r', onPiece))
                return false;
            continue;
        }
        // Copy the plain run up to the next special byte in one go.
        std::size_t room = maxPiece_ - length_;
        std::size_t j = i;
        const std::size_t limit = (size - i < room) ? size : i + room;
        while (j < limit) {
            const char c = data[j];
            if (c == '\n' || c == '\r' || c == '\x1a')
                break;
            ++j;
        }
        if (j > i) {
            const std::size_t n = j - i;
            std::memcpy(piece_ + length_, data + i, n - 1);
            length_ += n - 1;
            if (!put(data[j - 1], onPiece))
                return false;
            i = j;
            continue;
        }
        const char c = data[i++];
        if (c == '\x1a') {
            ended_ = true;
            return false;
        }
        if (c == '\r') {
            pendingCr_ = true;
            continue;
        }
        if (!put(c, onPiece))
            return false;
    }
    return !ended_;
}

template <class OnPiece> void PieceReader::finish(OnPiece&& onPiece) {
    // Ctrl-Z ends the file, but what came before it is still a piece.
    if (stopped_)
        return;
    if (pendingCr_) {
        pendingCr_ = false;
        if (!put('\r', onPiece))
            return;
    }
    if (length_ > 0) {
        const std::size_t n = length_;
        length_ = 0;
        onPiece(std::string_view(piece_, n));
    }
    ended_ = true;
}

template <class OnHit> bool FileScanner::feed(const char* data, std::size_t size, OnHit&& onHit) {
    auto test = [&](std::string_view piece) { return !matcher_.hits(piece) || onHit(piece); };
    if (reader_.ended())
        return false;
    if (!matcher_.canSkipLines() || size == 0 || std::memchr(data, '\x1a', size) != nullptr)
        return reader_.feed(data, size, test);
    // Complete lines between the first and the last line feed start with an
    // empty piece, so each can be read on its own by a fresh reader.
    const char* firstLf = static_cast<const char*>(std::memchr(data, '\n', size));
    if (firstLf == nullptr)
        return reader_.feed(data, size, test);
    const std::size_t head = static_cast<std::size_t>(firstLf - data) + 1;
    if (!reader_.feed(data, head, test))
        return false;
    std::size_t tail = size;
    while (tail > head && data[tail - 1] != '\n')
        --tail;
    if (tail > head) {
        const std::string_view region(data + head, tail - head);
        std::size_t at = matcher_.findAny(region, 0);
        while (at != std::string_view::npos) {
            std::size_t start = at;
            while (start > 0 && region[start - 1] != '\n')
                --start;
            const std::size_t end = region.find('\n', at); // present: the region ends with a line feed
            PieceReader line;
            if (!line.feed(data + head + start, end + 1 - start, test))
                return false;
            at = matcher_.findAny(region, end + 1);
        }
    }
    return reader_.feed(data + tail, size - tail, test);
}

template <class OnHit> void FileScanner::finish(OnHit&& onHit) {
    reader_.finish([&](std::string_view piece) { return !matcher_.hits(piece) || onHit(piece); });
}

} // namespace filetools
