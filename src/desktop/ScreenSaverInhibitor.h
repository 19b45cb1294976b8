#pragma once

#include <QObject>
#include <optional>

// Asks the desktop session, over its D-Bus, not to blank the screen (org.freedesktop.ScreenSaver
// Inhibit), and lets it again. Without an announced session bus, or without a screen saver on
// it, nothing happens and nothing is said. The request never waits for the screen saver: its
// answer arrives through the event loop.
class ScreenSaverInhibitor : public QObject {
public:
    void hold();
    void release();
    bool isHeld() const { return cookie_.has_value(); }

private:
    void answered(std::optional<unsigned> cookie);

    std::optional<unsigned> cookie_;
    bool asking_ = false;
    bool wanted_ = false;
};
