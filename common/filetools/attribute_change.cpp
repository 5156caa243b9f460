// The attribute tool's rules.
#include "common/filetools/attribute_change.h"

namespace filetools {

PairMark afterClick(PairMark current, PairMark clicked) {
    return current == clicked ? PairMark::Untouched : clicked;
}

std::uint32_t changedAttributes(std::uint32_t attributes, const AttributeChange& change) {
    // At most one mark per pair, so the order matters only for being the
    // documented one: read-only, archive, hidden, system.
    for (Attribute a : {Attribute::ReadOnly, Attribute::Archive, Attribute::Hidden, Attribute::System}) {
        const std::uint32_t bit = kAttributeBits[static_cast<int>(a)];
        if (change[a] == PairMark::Set)
            attributes |= bit;
        else if (change[a] == PairMark::Clear)
            attributes &= ~bit;
    }
    return attributes;
}

} // namespace filetools
