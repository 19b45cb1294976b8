#include "StdoutCapture.h"

#include <cstdio>
#include <unistd.h>

StdoutCapture::StdoutCapture() {
    if (!file_.open())
        return;
    std::fflush(stdout);
    savedStdout_ = dup(STDOUT_FILENO);
    dup2(file_.handle(), STDOUT_FILENO);
}

StdoutCapture::~StdoutCapture() {
    if (savedStdout_ < 0)
        return;
    std::fflush(stdout);
    dup2(savedStdout_, STDOUT_FILENO);
    close(savedStdout_);
}

QByteArray StdoutCapture::text() {
    std::fflush(stdout);
    QFile reader(file_.fileName());
    return reader.open(QIODevice::ReadOnly) ? reader.readAll() : QByteArray();
}
