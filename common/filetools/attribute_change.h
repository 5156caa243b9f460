// The attribute tool's rules: the set/clear pairs of its dialog, how a click
// moves a pair, and what a confirmed change makes of a file's attributes.
#pragma once

#include <array>
#include <cstdint>

namespace filetools {

// The four attributes the tool handles, with their platform bits.
enum class Attribute { ReadOnly, Hidden, System, Archive };
inline constexpr std::uint32_t kAttributeBits[] = {0x01, 0x02, 0x04, 0x20};

// One pair of the dialog: neither button marked (the attribute stays as it
// is), "set" marked or "clear" marked.
enum class PairMark { Untouched, Set, Clear };

// A click on one button of a pair (Set or Clear): a marked button is released,
// an unmarked one is marked and its partner released. So a pair cycles
// untouched -> set -> clear, and a second click on a mark releases it.
PairMark afterClick(PairMark current, PairMark clicked);

// The confirmed dialog: one mark per attribute, indexed by Attribute.
// A fresh value leaves every attribute untouched.
struct AttributeChange {
    std::array<PairMark, 4> marks{};

    PairMark& operator[](Attribute a) { return marks[static_cast<int>(a)]; }
    PairMark operator[](Attribute a) const { return marks[static_cast<int>(a)]; }
};

// The attributes after the change: read-only, archive, hidden, system in
// turn, each set or cleared as marked; every other bit kept as read.
std::uint32_t changedAttributes(std::uint32_t attributes, const AttributeChange& change);

} // namespace filetools
