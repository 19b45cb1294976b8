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

signals:
    void arrived();

private:
    void drain();

    QSocketNotifier* notifier_ = nullptr;
};
