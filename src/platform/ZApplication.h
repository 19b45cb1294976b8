#pragma once

#include <QApplication>
#include <QPointer>

// The handset's application object. Construction removes the options it understands from the
// argument vector and lowers argc to match: Qt's own options and the emulator's
// (EmulatorOptions.h).
//
// It also turns SIGTERM, SIGINT and SIGHUP into an orderly end: every handset window is closed
// and the event loops are left, so windows are destroyed by their owners as on any other exit.
class ZApplication : public QApplication {
    Q_OBJECT
public:
    enum Type { GuiClient = 1 };

    ZApplication(int& argc, char** argv, int type = GuiClient);
    ~ZApplication() override;

    // Closing the main widget, by close() or at the window manager's request, makes the
    // application quit.
    void setMainWidget(QWidget* widget);
    QWidget* mainWidget() const;

    bool notify(QObject* receiver, QEvent* event) override;

    // For a wait outside the event loop: a descriptor that becomes readable when one of those
    // signals arrives, so that the wait can be cut short. -1 when there is none.
    static int terminationNotice();

private:
    static int& beforeQtStarts(int& argc, char** argv);
    void mainWidgetClosed();
    void endInOrder();

    QPointer<QWidget> mainWidget_;
    bool mainWidgetClosed_ = false;
};
