// The File Manager's extension interface, with the entry's last argument
// pointer-sized: the File Manager passes records and menu handles in it, and
// MinGW's <wfext.h> declares it as LONG, which would cut them on 64-bit Windows.
// Include this instead of <wfext.h>.
#pragma once

#include <windows.h>

#define FMExtensionProc FMExtensionProc_as_declared_by_wfext
#define FMExtensionProcW FMExtensionProcW_as_declared_by_wfext
#include <wfext.h>
#undef FMExtensionProc
#undef FMExtensionProcW

// What a host calls: FMExtensionProc or FMExtensionProcW of an extension.
using FmExtensionProc = LONG(WINAPI*)(HWND window, WORD message, LPARAM lParam);
