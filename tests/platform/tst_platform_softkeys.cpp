// Soft keys and the options menu, worked from the keypad and the mouse.
#include "RecordingWindow.h"
#include "ZOptionsMenu.h"
#include "ZSoftKey.h"

#include <QTest>

class SoftKeysTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void softKeyPress_data();
    void softKeyPress();
    void menuKeys_data();
    void menuKeys();
    void itemsGoWhereTheirIndexSays();

private:
    RecordingWindow* window = nullptr;
    ZSoftKey* softKey = nullptr;
    ZOptionsMenu* menu = nullptr;
    SlotCounter* slots_ = nullptr;
};

void SoftKeysTest::init() {
    window = new RecordingWindow;
    slots_ = new SlotCounter;
    softKey = new ZSoftKey(nullptr, window, window);
    menu = new ZOptionsMenu(QRect(), window, nullptr, 0, ZSkinService::clsZOptionsMenu);
    menu->insertItem("Continue", nullptr, nullptr, true, 0, 0);
    menu->insertItem("Exit", nullptr, nullptr, true, 2, -1);
    QVERIFY(menu->connectItem(0, slots_, SLOT(onFirst())));
    QVERIFY(menu->connectItem(2, slots_, SLOT(onSecond())));
    softKey->setOptMenu(ZSoftKey::LEFT, menu);
    softKey->setClickedSlot(ZSoftKey::RIGHT, slots_, SLOT(onRight()));
    window->setSoftKey(softKey);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void SoftKeysTest::cleanup() {
    delete window;
    delete slots_;
}

void SoftKeysTest::softKeyPress_data() {
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("F1") << true << false;
    QTest::newRow("click on the left half") << true << true;
    QTest::newRow("F2") << false << false;
    QTest::newRow("click on the right half") << false << true;
}

// The left key opens the menu just above the bar, on its first item; the right one calls its
// slot. Neither reaches the window as a key.
void SoftKeysTest::softKeyPress() {
    QFETCH(bool, left);
    QFETCH(bool, byMouse);
    if (byMouse)
        QTest::mouseClick(softKey, Qt::LeftButton, {},
                          QPoint(left ? 10 : softKey->width() - 10, 10));
    else
        QTest::keyClick(window, left ? Qt::Key_F1 : Qt::Key_F2);
    QVERIFY(window->pressed.isEmpty());
    QCOMPARE(slots_->right, left ? 0 : 1);
    QCOMPARE(menu->isVisible(), left);
    if (!left)
        return;
    const QRect screen(window->mapToGlobal(QPoint(0, 0)), window->size());
    QVERIFY2(screen.contains(menu->geometry()), "menu leaves the screen");
    QVERIFY(menu->geometry().bottom() < softKey->mapToGlobal(QPoint(0, 0)).y());
    QCOMPARE(menu->activeAction(), menu->item(0));
}

void SoftKeysTest::menuKeys_data() {
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("Return") << QList<Qt::Key>{Qt::Key_Return} << 1 << 0;
    QTest::newRow("Down, Return") << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Return} << 0 << 1;
    QTest::newRow("Escape") << QList<Qt::Key>{Qt::Key_Escape} << 0 << 0;
}

void SoftKeysTest::menuKeys() {
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(int, first);
    QFETCH(int, second);
    QTest::keyClick(window, Qt::Key_F1);
    QTRY_VERIFY(menu->isVisible());
    for (Qt::Key key : keys)
        QTest::keyClick(menu, key);
    QTRY_VERIFY(!menu->isVisible());
    QTest::qWait(50);
    QCOMPARE(slots_->first, first);
    QCOMPARE(slots_->second, second);
}

void SoftKeysTest::itemsGoWhereTheirIndexSays() {
    menu->insertItem("Jump", nullptr, nullptr, false, 1, 1);
    QCOMPARE(menu->actions(), QList<QAction*>({menu->item(0), menu->item(1), menu->item(2)}));
    QVERIFY(!menu->item(1)->isEnabled());
    QCOMPARE(menu->item(7), nullptr);
}

QTEST_MAIN(SoftKeysTest)
#include "tst_platform_softkeys.moc"
