#pragma once

#include "VidlarkRun.h"
#include "XSession.h"

#include <memory>

// The program under a private X server, driven from outside through real key presses.
class Handset : public XSession {
public:
    QProcessEnvironment environment() const;
    // Starts vidlark from `programDir` (the build's when empty) on the options and a media path
    // of any bytes, and waits until it plays.
    std::unique_ptr<VidlarkRun> play(const QByteArray& mediaPath, const QStringList& options = {},
                                     const QString& programDir = {},
                                     const QProcessEnvironment& environment = {});
    // Focuses the program's window; its id, or empty when it has none.
    QByteArray focusProgram();
    // Opens the options menu with the left soft key and chooses its last item, "exit".
    void exitFromMenu();
};
