// Saves the whole screen as a PNG file, so a test run can show what a user saw.
#pragma once

#include <string>

// Writes the screen to path; false on failure.
bool saveScreenshot(const std::string& path);

// Saves into the folder named by KORB_SCREENSHOT_DIR (if set) as name.png; returns the path or "".
std::string saveScreenshotOnRequest(const char* name);
