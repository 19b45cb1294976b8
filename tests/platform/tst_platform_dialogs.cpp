// The message box and the number picker, shown inside the handset screen and worked by keys.
#include "RecordingWindow.h"
#include "ZMessageDlg.h"
#include "ZNumModule.h"
#include "ZNumPickerDlg.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void numberPicker_data();
    void numberPicker();
    void numberPickerSitsInsideTheScreen();
    void pickerThenModuleAreEachReleasedOnce();
    void messageShowsInsideTheScreenAndCloses_data();
    void messageShowsInsideTheScreenAndCloses();

private:
    QRect screen() const { return {window->mapToGlobal(QPoint(0, 0)), window->size()}; }

    RecordingWindow* window = nullptr;
};

namespace {

// Types `keys` into the picker once its modal loop runs; the picker is shown by the caller.
void typeWhenShown(ZNumPickerDlg* picker, const QList<Qt::Key>& keys) {
    QTimer::singleShot(0, picker, [picker, keys] {
        for (Qt::Key key : keys)
            QTest::keyClick(picker, key);
    });
}

} // namespace

void DialogsTest::init() {
    window = new RecordingWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void DialogsTest::cleanup() {
    delete window;
}

void DialogsTest::numberPicker_data() {
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("accepted");
    using K = QList<Qt::Key>;
    QTest::newRow("digits, Return")
        << 0 << 100 << K{Qt::Key_4, Qt::Key_2, Qt::Key_Return} << 42 << true;
    QTest::newRow("Enter") << 0 << 100 << K{Qt::Key_9, Qt::Key_Enter} << 9 << true;
    QTest::newRow("nothing typed") << 0 << 100 << K{Qt::Key_Return} << 7 << true;
    QTest::newRow("Escape") << 0 << 100 << K{Qt::Key_4, Qt::Key_2, Qt::Key_Escape} << 7 << false;
    QTest::newRow("right soft key") << 0 << 100 << K{Qt::Key_4, Qt::Key_F2} << 7 << false;
    QTest::newRow("left soft key") << 0 << 100 << K{Qt::Key_4, Qt::Key_F1} << 4 << true;
    QTest::newRow("above the maximum")
        << 0 << 100 << K{Qt::Key_2, Qt::Key_5, Qt::Key_0, Qt::Key_Return} << 100 << true;
    QTest::newRow("below the minimum") << 10 << 100 << K{Qt::Key_5, Qt::Key_Return} << 10 << true;
    QTest::newRow("Backspace") << 0 << 100
                               << K{Qt::Key_4, Qt::Key_7, Qt::Key_Backspace, Qt::Key_1,
                                    Qt::Key_Return}
                               << 41 << true;
    QTest::newRow("Left") << 0 << 100 << K{Qt::Key_4,    Qt::Key_7, Qt::Key_Left,
                                           Qt::Key_Left, Qt::Key_3, Qt::Key_Return}
                          << 3 << true;
    QTest::newRow("three digits at most")
        << 0 << 5000 << K{Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_Return} << 123
        << true;
}

void DialogsTest::numberPicker() {
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(int, number);
    QFETCH(bool, accepted);
    auto* picker = new ZNumPickerDlg(3, nullptr, "jump", 0);
    ZNumModule* module = picker->getNumModule();
    module->setMaxValue(maximum);
    module->setMinValue(minimum);
    module->setValue(7);
    typeWhenShown(picker, keys);
    picker->show();
    QVERIFY(!picker->isVisible());
    QCOMPARE(picker->getNumValue(), number);
    QCOMPARE(picker->wasAccepted(), accepted);
    QCOMPARE(module->value(), number);
    delete picker;
    delete module;
}

void DialogsTest::numberPickerSitsInsideTheScreen() {
    ZNumPickerDlg picker(3, nullptr, "jump", 0);
    QRect shownAt;
    QTimer::singleShot(0, &picker, [&] {
        shownAt = picker.geometry();
        QTest::keyClick(&picker, Qt::Key_Escape);
    });
    picker.show();
    QVERIFY(!shownAt.isEmpty());
    QVERIFY2(screen().contains(shownAt), "picker outside the handset screen");
    delete picker.getNumModule();
}

void DialogsTest::pickerThenModuleAreEachReleasedOnce() {
    auto* picker = new ZNumPickerDlg(3, nullptr, "jump", 0);
    QPointer<ZNumModule> module = picker->getNumModule();
    QSignalSpy moduleGone(module.data(), &QObject::destroyed);
    typeWhenShown(picker, {Qt::Key_5, Qt::Key_Return});
    picker->show();
    delete picker;
    QVERIFY(module);
    QCOMPARE(module->value(), 5);
    QCOMPARE(moduleGone.count(), 0);
    delete module.data();
    QCOMPARE(moduleGone.count(), 1);
}

void DialogsTest::messageShowsInsideTheScreenAndCloses_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("Escape") << Qt::Key_Escape;
    QTest::newRow("left soft key") << Qt::Key_F1;
    QTest::newRow("right soft key") << Qt::Key_F2;
}

void DialogsTest::messageShowsInsideTheScreenAndCloses() {
    QFETCH(Qt::Key, key);
    auto* message = new ZMessageDlg("About", "Vidlark ver1.4beta\nby someone\nEmail:\n x@y",
                                    ZMessageDlg::TypeOK, 0, window, "about", true, 0);
    message->show();
    // show() returns at once and leaves the message up.
    QVERIFY(message->isVisible());
    QVERIFY(message->isModal());
    QVERIFY2(screen().contains(message->geometry()), "message outside the handset screen");
    QTest::keyClick(message, key);
    QVERIFY(!message->isVisible());
    QVERIFY(window->pressed.isEmpty());
}

QTEST_MAIN(DialogsTest)
#include "tst_platform_dialogs.moc"
