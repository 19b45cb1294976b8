#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into the signal `arrived`, emitted from the event loop. The
// handler itself only writes one byte into a pipe the event loop watches.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent);
    ~TerminationSignals() override;

    // The pipe's reading end: readable from the moment a signal has arrived until the event loop
    // has seen it, for those who wait outside the event loop. -1 when there is none.
    static int pendingNotice();

signals:
    void arrived();

private:
    void drain();

    QSocketNotifier* notifier_ = nullptr;
};
