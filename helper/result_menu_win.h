// The context menu of the helper's result list: programs, date, attributes,
// delete and copy on the selected lines.
#pragma once

namespace helper {

// Makes every result dialog of this process offer the menu.
void installResultMenu();

} // namespace helper
