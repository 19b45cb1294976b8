#include "Trace.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <cerrno>
#include <climits>
#include <poll.h>
#include <unistd.h>

namespace {

// Far more than a session traces while its output is read; a reader that has stopped costs no
// more than this.
constexpr qsizetype kCapacity = 64 * 1024;

class Writer {
public:
    void add(const QByteArray& text) {
        if (broken_ || waiting_.size() + text.size() > kCapacity)
            return;
        waiting_ += text;
        writeWhatFits(0);
    }

    void finish() {
        QDeadlineTimer deadline(Trace::kFinishMs);
        while (!waiting_.isEmpty() && !broken_ && !deadline.hasExpired())
            writeWhatFits(int(deadline.remainingTime()));
    }

private:
    // Writes in pieces of at most PIPE_BUF bytes, each only once poll says the output takes it:
    // a pipe then takes the whole piece without blocking.
    void writeWhatFits(int waitMs) {
        while (!waiting_.isEmpty() && !broken_) {
            pollfd output{STDOUT_FILENO, POLLOUT, 0};
            if (poll(&output, 1, waitMs) != 1)
                break;
            if (output.revents & (POLLERR | POLLNVAL)) {
                broken_ = true;
                break;
            }
            const ssize_t written = write(STDOUT_FILENO, waiting_.constData(),
                                          size_t(qMin(waiting_.size(), qsizetype(PIPE_BUF))));
            if (written > 0)
                waiting_.remove(0, written);
            else if (written < 0 && errno != EINTR && errno != EAGAIN)
                broken_ = true;
        }
        if (broken_)
            waiting_.clear();
        watchOutput();
    }

    // Without an event loop yet, what waits goes out with the next trace.
    void watchOutput() {
        if (!notifier_ && !waiting_.isEmpty() && QCoreApplication::instance()) {
            notifier_ = new QSocketNotifier(STDOUT_FILENO, QSocketNotifier::Write);
            QObject::connect(notifier_, &QSocketNotifier::activated, notifier_,
                             [this] { writeWhatFits(0); });
        }
        if (notifier_)
            notifier_->setEnabled(!waiting_.isEmpty());
    }

    QByteArray waiting_;
    bool broken_ = false;
    QSocketNotifier* notifier_ = nullptr;
};

Writer& writer() {
    static Writer instance;
    return instance;
}

} // namespace

namespace Trace {

void bare(const QByteArray& text) {
    writer().add(text);
}

void line(const QByteArray& text) {
    writer().add(text + '\n');
}

void finish() {
    writer().finish();
}

} // namespace Trace
