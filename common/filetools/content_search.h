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
// characters. Feed the bytes in blocks of any size, then call finish().
class PieceReader {
public:
    // onPiece(std::string_view piece) returns false to stop reading. feed()
    // returns false when the reading is over: stopped, or Ctrl-Z met.
    template <class OnPiece> bool feed(const char* data, std::size_t size, OnPiece&& onPiece);
    // Hands over the last piece when the file did not end with a line feed.
    template <class OnPiece> void finish(OnPiece&& onPiece);
    bool ended() const { return ended_; }

private:
    template <class OnPiece> bool put(char c, OnPiece& onPiece);

    char piece_[kMaxPiece + 1];
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

private:
    std::vector<std::string> patterns_;
    std::vector<bool> wildcard_;
    UpperTable upper_;
};

// The text of a piece as it stands in the list: cut at the first zero byte,
// after kMaxShownHit characters, then at the first CR and the first LF.
std::string_view shownHit(std::string_view piece);
// "path<TAB>text" for the list.
std::string hitLine(std::string_view path, std::string_view piece);

// ---- implementation of the reader's templates ----

template <class OnPiece> bool PieceReader::put(char c, OnPiece& onPiece) {
    piece_[length_++] = c;
    if (c == '\n' || length_ == kMaxPiece) {
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
        std::size_t room = kMaxPiece - length_;
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

} // namespace filetools
