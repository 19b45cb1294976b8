// The application object: its options, the main widget's close and the termination signals.
#include "ZApplication.h"
#include "ZKbMainWidget.h"
#include "ZPower.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <csignal>
#include <memory>

namespace {

std::unique_ptr<ZKbMainWidget> handsetWindow() {
    return std::make_unique<ZKbMainWidget>(ZHeader::MAINDISPLAY_HEADER, nullptr, "main", 1);
}

// Runs the application's loop; false when it had to be stopped from outside.
bool loopEndsByItself(int withinMs = 10000) {
    bool stopped = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        stopped = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(withinMs);
    QCoreApplication::exec();
    return !stopped;
}

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
public:
    ApplicationTest(int argc, char** argv) : argc_(argc), argv_(argv) {}

private slots:
    void ownOptionsAreRemoved();
    void closingTheMainWidgetQuits_data();
    void closingTheMainWidgetQuits();
    void mainWidgetClosedBeforeTheLoop();
    void terminationSignalsEndInOrder_data();
    void terminationSignalsEndInOrder();
    void noSessionBusIsNoNoise();

private:
    int argc_;
    char** argv_;
};

void ApplicationTest::ownOptionsAreRemoved() {
    QCOMPARE(argc_, 2);
    QCOMPARE(QByteArray(argv_[1]), QByteArray("clip.avi"));
}

void ApplicationTest::closingTheMainWidgetQuits_data() {
    QTest::addColumn<bool>("byWindowSystem");
    QTest::newRow("close()") << false;
    QTest::newRow("window manager") << true;
}

void ApplicationTest::closingTheMainWidgetQuits() {
    QFETCH(bool, byWindowSystem);
    auto window = handsetWindow();
    static_cast<ZApplication*>(qApp)->setMainWidget(window.get());
    window->show();
    // Another window stays up, so Qt's own last-window rule cannot be what ends the loop.
    auto other = handsetWindow();
    other->show();
    QTimer::singleShot(100, window.get(), [&] {
        if (byWindowSystem)
            window->windowHandle()->close();
        else
            window->close();
    });
    QVERIFY(loopEndsByItself());
    QVERIFY(!window->isVisible());
}

// The picker's road: its window runs modally as the main widget and closes before the
// application's loop, which must then end at once; the player's window, the next main widget,
// keeps the loop running until it closes.
void ApplicationTest::mainWidgetClosedBeforeTheLoop() {
    auto* app = static_cast<ZApplication*>(qApp);
    auto picker = handsetWindow();
    app->setMainWidget(picker.get());
    QTimer::singleShot(100, picker.get(), [&] { picker->close(); });
    picker->exec();
    QVERIFY(loopEndsByItself());

    auto player = handsetWindow();
    app->setMainWidget(player.get());
    player->show();
    bool stillRunning = false;
    QTimer::singleShot(500, player.get(), [&] {
        stillRunning = true;
        player->close();
    });
    QVERIFY(loopEndsByItself());
    QVERIFY(stillRunning);
}

void ApplicationTest::terminationSignalsEndInOrder_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

// Windows are closed, not destroyed, and a modal loop inside the main one ends too.
void ApplicationTest::terminationSignalsEndInOrder() {
    QFETCH(int, signalNumber);
    auto window = handsetWindow();
    auto dialog = handsetWindow();
    static_cast<ZApplication*>(qApp)->setMainWidget(window.get());
    window->show();
    bool modalReturned = false;
    QTimer::singleShot(0, dialog.get(), [&] {
        dialog->exec();
        modalReturned = true;
    });
    QTimer::singleShot(200, [signalNumber] { ::raise(signalNumber); });
    QVERIFY(loopEndsByItself());
    QVERIFY(modalReturned);
    QVERIFY(!window->isVisible());
    QVERIFY(!dialog->isVisible());
}

void ApplicationTest::noSessionBusIsNoNoise() {
    QTest::failOnWarning(QRegularExpression(".*"));
    PM_setupLcdSleepTime(0);
    PM_setupLcdSleepTime(20);
    QCOMPARE(PM_lcdSleepTime(), 20);
}

int main(int argc, char** argv) {
    // No session bus: the display sleep must do without one.
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("XDG_RUNTIME_DIR");
    char program[] = "vidlark";
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char clip[] = "clip.avi";
    char* words[] = {program, platform, offscreen, clip, nullptr};
    int count = 4;
    ZApplication app(count, words, ZApplication::GuiClient);
    ApplicationTest test(count, words);
    // QtTest's crash handler would take the termination signals for itself.
    QStringList testArguments = QCoreApplication::arguments().mid(0, 1);
    for (int i = 1; i < argc; ++i)
        testArguments << QString::fromLocal8Bit(argv[i]);
    testArguments << "-nocrashhandler";
    return QTest::qExec(&test, testArguments);
}

#include "tst_platform_application.moc"
