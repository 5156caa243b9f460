// A percentage meter drawn into a static control: a bar filled in proportion
// to the percentage, labelled "N%". The percentage is also the control's
// window text, so it can be read back like any other field.
#pragma once

#include <windows.h>

// Makes the control draw itself as a meter at 0 %.
void attachPercentMeter(HWND control);
// Shows a new percentage; the meter is redrawn only when it grew.
void setPercentMeter(HWND control, int percent);
