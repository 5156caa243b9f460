// Numbers of the extension's menu template and accelerator table.
#pragma once

#define IDR_EXTENSION_MENU 117
#define IDR_EXTENSION_ACCELERATORS 134
