// Applying a confirmed attribute change to one file, for the walks and for
// single paths alike (for example the selected lines of a result list).
#pragma once

#include <string>

#include "common/filetools/attribute_change.h"

namespace filetools {

// Reads the file's attributes, changes them as marked and writes them back.
// 1 when the attributes could not be read (the file is left alone), else 0;
// a write the platform refuses (a locked file) is ignored.
int applyAttributeChange(const std::string& path, const AttributeChange& change);

} // namespace filetools
