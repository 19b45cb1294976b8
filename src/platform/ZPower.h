#pragma once

// The handset's power library: the display goes dark after `seconds` without a key press;
// 0 keeps it on. A key press wakes it.
void PM_setupLcdSleepTime(int seconds);
// The value last set, for those who need to know (-1 before any call).
int PM_lcdSleepTime();
// Whether the emulated display is dark at the moment.
bool PM_displayIsDark();
