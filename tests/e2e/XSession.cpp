#include "XSession.h"

#include <QDeadlineTimer>
#include <QThread>
#include <fcntl.h>
#include <unistd.h>

XSession::~XSession() {
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
        server_.waitForFinished(1000);
    }
}

bool XSession::start(int width, int height) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error_ = "no pipe for Xvfb's display number";
        return false;
    }
    // Xvfb picks a free display and writes its number to the descriptor it is given.
    server_.setChildProcessModifier([writeEnd = fds[1]] { dup2(writeEnd, 3); });
    server_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    server_.setStandardErrorFile(QProcess::nullDevice());
    server_.start("Xvfb", {"-displayfd", "3", "-nolisten", "tcp", "-screen", "0",
                           QStringLiteral("%1x%2x24").arg(width).arg(height)});
    ::close(fds[1]);
    if (!server_.waitForStarted(5000)) {
        ::close(fds[0]);
        error_ = "Xvfb cannot be started here: " + server_.errorString();
        return false;
    }
    char number[16] = {};
    const ssize_t got = ::read(fds[0], number, sizeof number - 1);
    ::close(fds[0]);
    if (got <= 0) {
        error_ = "Xvfb started but gave no display number";
        return false;
    }
    display_ = ':' + QString::fromLatin1(number).trimmed();
    return true;
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
