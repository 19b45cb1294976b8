#include "XSession.h"

#include <QFile>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>
// Last: Xlib's macros would clash with names in the Qt headers.
#include <X11/Xlib.h>

// Xvfb picks a free display and writes its number and a newline to descriptor 3. It can name a
// display and still not serve it (another server may hold that socket): ask, and try a few.
bool XSession::start(int width, int height) {
    const auto answers = [&] { return !run("xdpyinfo", {}).isEmpty(); };
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (startServer(width, height) && QTest::qWaitFor(answers, 5000))
            return true;
        error_ = "Xvfb cannot be started here, or does not answer: " + server_.errorString();
        stop();
    }
    return false;
}

bool XSession::startServer(int width, int height) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return false;
    // The server goes with the test, even with one killed at CTest's timeout.
    server_.setChildProcessModifier([writeEnd = ends[1]] {
        dup2(writeEnd, 3);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
    server_.setStandardErrorFile(QProcess::nullDevice());
    server_.start("Xvfb", {"-displayfd", "3", "-nolisten", "tcp", "-screen", "0",
                           QStringLiteral("%1x%2x24").arg(width).arg(height)});
    ::close(ends[1]);
    QFile pipe; // at its end as soon as the server is gone, the last writer
    pipe.open(ends[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray number = pipe.readLine();
    if (!number.endsWith('\n'))
        return false;
    qputenv("DISPLAY", ':' + number.trimmed()); // for the X tools, each started from here
    return true;
}

void XSession::stop() {
    server_.terminate();
    if (!server_.waitForFinished(5000))
        server_.kill();
    server_.waitForFinished(1000);
}

// A tool still running when its time is up is killed with its QProcess.
QByteArray XSession::run(const QString& tool, const QStringList& args) const {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(15000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

QByteArray XSession::waitForWindow(const QString& name) const {
    const QByteArray found = run("xdotool", {"search", "--sync", "--onlyvisible", "--name", name});
    return found.split('\n').first().trimmed();
}

void XSession::requestClose(const QByteArray& window) const {
    Display* x = XOpenDisplay(nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window.toULong();
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
    XSendEvent(x, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(x);
}
