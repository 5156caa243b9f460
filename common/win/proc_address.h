// Typed lookup of an exported function (GetProcAddress returns a generic
// function pointer that must be cast through void*).
#pragma once

#include <windows.h>

template <typename Function> Function procAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
