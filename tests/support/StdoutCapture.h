#pragma once

#include <QByteArray>
#include <QTemporaryFile>

// Sends the process's standard output into a temporary file for as long as it lives, so the
// traces written with stdio can be compared.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Everything written so far.
    QByteArray text();

private:
    QTemporaryFile file_;
    int savedStdout_ = -1;
};
