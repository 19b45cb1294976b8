#pragma once

#include <QByteArray>
#include <memory>

class MainWidget;
class MediaProbe;

// The launcher's hand-over points for the player window.

// Builds the window on the clip the probe runs on, once the probe is over; the probe has been
// started beforehand, so that it runs while the program starts. Writes the probe's trace first.
// Null when the program was told to end while the probe ran.
MainWidget* buildPlayerWindow(MediaProbe& probe, const QByteArray& appDir);
// Starts playback, shows the window, runs the event loop until the application quits, then
// destroys the window. The probe the window was built on goes once the player has started.
void playWindow(MainWidget* window, std::unique_ptr<MediaProbe> spentProbe);
