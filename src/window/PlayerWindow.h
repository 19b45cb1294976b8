#pragma once

#include <QByteArray>

class MainWidget;

// The launcher's hand-over points for the player window.
MainWidget* buildPlayerWindow(const QByteArray& path, const QByteArray& appDir);
// Shows the window, starts playback, runs the event loop until the application quits, then
// destroys the window.
void playWindow(MainWidget* window);
