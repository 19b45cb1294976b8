#include "PrivateX.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

PrivateX::~PrivateX() {
    server_.terminate();
    if (!server_.waitForFinished(5000))
        server_.kill();
    server_.waitForFinished(1000);
}

// Xvfb picks a free display and writes its number, then a newline, to descriptor 3. It dies
// when the second write finds the pipe closed, so the reading goes on up to the newline.
bool PrivateX::start() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return false;
    server_.setChildProcessModifier([writeEnd = ends[1]] { dup2(writeEnd, 3); });
    server_.setStandardErrorFile(QProcess::nullDevice());
    server_.start("Xvfb", {"-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "240x320x24"});
    ::close(ends[1]);
    char number[16] = {};
    size_t got = 0;
    while (server_.waitForStarted(5000) && got < sizeof number - 1 && !std::strchr(number, '\n')) {
        const ssize_t more = ::read(ends[0], number + got, sizeof number - 1 - got);
        if (more <= 0)
            break;
        got += size_t(more);
    }
    ::close(ends[0]);
    display_ = ':' + QString::fromLatin1(number).trimmed();
    return std::strchr(number, '\n') != nullptr;
}

QByteArray PrivateX::run(const QString& tool, const QStringList& args) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_);
    process.setProcessEnvironment(environment);
    process.start(tool, args);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}
