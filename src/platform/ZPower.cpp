#include "ZPower.h"

#include "DisplaySleep.h"

namespace {

int lastSleepTime = -1;

} // namespace

// Without a widget application there is no display to put to sleep; the value is still kept.
void PM_setupLcdSleepTime(int seconds) {
    lastSleepTime = seconds;
    if (DisplaySleep* sleep = DisplaySleep::obtain())
        sleep->setSleepTime(seconds);
}

int PM_lcdSleepTime() {
    return lastSleepTime;
}

bool PM_displayIsDark() {
    const DisplaySleep* sleep = DisplaySleep::existing();
    return sleep && sleep->isDark();
}
