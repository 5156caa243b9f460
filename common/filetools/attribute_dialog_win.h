// The attribute dialog (107) of both deliverables: a set/clear pair per
// attribute, each pair starting untouched at every opening.
#pragma once

#include <windows.h>

#include "common/filetools/attribute_change.h"

namespace filetools {

// The controls of each deliverable's dialog, per attribute (indexed by Attribute).
struct AttributeDialogIds {
    int group[4], set[4], clear[4];
    int help;
};
extern const AttributeDialogIds kHelperAttributeIds;
extern const AttributeDialogIds kExtensionAttributeIds;

inline constexpr int kAttributeDialog = 107;

// Shows the dialog. On OK the marks go into change, the pending messages are
// dispatched (so the dialog is gone before files change) and the result is
// true; Cancel returns false and leaves change alone.
bool runAttributeDialog(HWND parent, const AttributeDialogIds& ids, AttributeChange& change);

} // namespace filetools
