#pragma once

#include <QByteArray>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Collects what the process writes to its standard output (descriptor 1) while it lives, so
// traces can be compared byte for byte and stay out of the test log.
class StdoutCapture {
public:
    StdoutCapture() {
        file_.open();
        std::fflush(stdout);
        saved_ = dup(1);
        dup2(file_.handle(), 1);
    }
    ~StdoutCapture() { restore(); }

    QByteArray take() {
        restore();
        file_.seek(0);
        return file_.readAll();
    }

private:
    void restore() {
        if (saved_ < 0)
            return;
        std::fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
        saved_ = -1;
    }

    QTemporaryFile file_;
    int saved_ = -1;
};
