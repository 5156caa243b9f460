// Answers to the queries an extension sends to fmhost's frame window.
#pragma once

#include <windows.h>

#include "tools/fmhost/panes.h"

namespace fmhost {

// FM_GETFOCUS, FM_GETSELCOUNT(LFN), FM_GETFILESEL(LFN) and FM_GETDRIVEINFO in both
// character sets, answered from the panes; false for any other message.
bool answerQuery(const Panes& panes, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

} // namespace fmhost
