#pragma once

#include <optional>

// Asks the desktop session, over its D-Bus, not to blank the screen (org.freedesktop.ScreenSaver
// Inhibit), and lets it again. Without a session bus, or without a screen saver on it, nothing
// happens and nothing is said.
class ScreenSaverInhibitor {
public:
    void hold();
    void release();
    bool isHeld() const { return cookie_.has_value(); }

private:
    std::optional<unsigned> cookie_;
};
