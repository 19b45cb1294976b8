#pragma once

#include "VidlarkRun.h"
#include "XSession.h"

#include <QTemporaryDir>
#include <memory>

// The program under a private X server, driven from outside through real key presses.
class Handset {
public:
    // Starts the X server; false with the reason when it cannot run here.
    bool start(QString* why);
    XSession& x() { return x_; }

    QProcessEnvironment environment() const;
    // Starts vidlark from `programDir` on the given words and waits until it plays.
    std::unique_ptr<VidlarkRun> play(const QStringList& args, const QString& programDir = {},
                                     const QProcessEnvironment& environment = {});
    // Starts vidlark through the shell, so the media path may hold any bytes.
    std::unique_ptr<VidlarkRun> playBytes(const QByteArray& mediaPath,
                                          const QString& programDir = {});
    // Focuses the program's window; its id, or empty when it has none.
    QByteArray focusProgram();
    // Opens the options menu with the left soft key and chooses its last item, "exit".
    void exitFromMenu();

private:
    XSession x_;
};
