#include "XSession.h"

#include <QDeadlineTimer>
#include <QThread>
#include <fcntl.h>
#include <unistd.h>

XSession::~XSession() {
    stop();
}

// Xvfb picks a free display and writes its number, then a newline, to descriptor 3; it dies when
// the second write finds the pipe closed, so the reading goes on up to the newline. A server can
// name its display and still not serve it (another server may hold that socket), so each one is
// asked before it is used, and a few are tried.
bool XSession::start(int width, int height) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (startServer(width, height) && answers())
            return true;
        stop();
    }
    return false;
}

bool XSession::startServer(int width, int height) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        error_ = "no pipe for Xvfb's display number";
        return false;
    }
    server_.setChildProcessModifier([writeEnd = ends[1]] { dup2(writeEnd, 3); });
    server_.setStandardErrorFile(QProcess::nullDevice());
    server_.start("Xvfb", {"-displayfd", "3", "-nolisten", "tcp", "-screen", "0",
                           QStringLiteral("%1x%2x24").arg(width).arg(height)});
    ::close(ends[1]);
    QByteArray number;
    char chunk[16];
    ssize_t got = 0;
    while (server_.waitForStarted(5000) && !number.contains('\n') &&
           (got = ::read(ends[0], chunk, sizeof chunk)) > 0)
        number.append(chunk, got);
    ::close(ends[0]);
    if (!number.contains('\n')) {
        error_ = "Xvfb cannot be started here: " + server_.errorString();
        return false;
    }
    display_ = ':' + QString::fromLatin1(number.trimmed());
    return true;
}

bool XSession::answers() {
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (!run("xdpyinfo", {}, 2000).isEmpty())
            return true;
        QThread::msleep(100);
    }
    error_ = "Xvfb started on " + display_ + " but does not answer";
    return false;
}

void XSession::stop() {
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(5000))
        server_.kill();
    server_.waitForFinished(1000);
}

QByteArray XSession::run(const QString& tool, const QStringList& args, int timeoutMs) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_);
    process.setProcessEnvironment(environment);
    process.start(tool, args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

QByteArray XSession::waitForWindow(const QString& name, int timeoutMs) const {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QByteArray found = run("xdotool", {"search", "--onlyvisible", "--name", name});
        if (!found.trimmed().isEmpty())
            return found.split('\n').first().trimmed();
        QThread::msleep(50);
    }
    return {};
}

void XSession::focus(const QByteArray& window) const {
    run("xdotool", {"windowfocus", "--sync", QString::fromLatin1(window)});
}

void XSession::key(const QStringList& keys) const {
    run("xdotool", QStringList{"key", "--delay", "60"} + keys);
}

QImage XSession::screenshot() const {
    return QImage::fromData(run("import", {"-window", "root", "png:-"}), "PNG");
}
