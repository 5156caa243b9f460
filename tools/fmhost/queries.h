// Answers to the queries an extension sends to fmhost's frame window.
#pragma once

#include <windows.h>

#include "tools/fmhost/panes.h"

namespace fmhost {

// FM_GETFOCUS, FM_GETSELCOUNT(LFN), FM_GETFILESEL(LFN) and FM_GETDRIVEINFO in both
// character sets, answered from the panes; false for any other message.
// Records are filled only when recordsAllowed: a record pointer is valid only when
// it comes from extension code that fmhost itself is running on this thread; one
// sent from another process would be written into fmhost's memory at random.
bool answerQuery(const Panes& panes, UINT message, WPARAM wParam, LPARAM lParam, bool recordsAllowed, LRESULT& result);

} // namespace fmhost
