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
    void f1OpensTheMenuAboveTheBar();
    void downAndReturnChooseTheSecondItem();
    void escapeClosesTheMenuWithoutAChoice();
    void rightSoftKeyCallsItsSlot_data();
    void rightSoftKeyCallsItsSlot();
    void clickOnTheLeftHalfOpensTheMenu();
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
    softKey->setText(ZSoftKey::LEFT, "Options");
    softKey->setText(ZSoftKey::RIGHT, "About");
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

void SoftKeysTest::f1OpensTheMenuAboveTheBar() {
    QTest::keyClick(window, Qt::Key_F1);
    QTRY_VERIFY(menu->isVisible());
    const QRect screen(window->mapToGlobal(QPoint(0, 0)), window->size());
    const QRect bar(softKey->mapToGlobal(QPoint(0, 0)), softKey->size());
    QVERIFY2(screen.contains(menu->geometry()), "menu leaves the screen");
    QVERIFY(menu->geometry().bottom() < bar.top());
    QVERIFY(window->pressed.isEmpty());
    QCOMPARE(menu->activeAction(), menu->item(0));
}

void SoftKeysTest::downAndReturnChooseTheSecondItem() {
    QTest::keyClick(window, Qt::Key_F1);
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_COMPARE(slots_->second, 1);
    QCOMPARE(slots_->first, 0);
    QVERIFY(!menu->isVisible());
}

void SoftKeysTest::escapeClosesTheMenuWithoutAChoice() {
    QTest::keyClick(window, Qt::Key_F1);
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    QTest::qWait(50);
    QCOMPARE(slots_->first + slots_->second, 0);
}

void SoftKeysTest::rightSoftKeyCallsItsSlot_data() {
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("F2") << false;
    QTest::newRow("click on the right half") << true;
}

void SoftKeysTest::rightSoftKeyCallsItsSlot() {
    QFETCH(bool, byMouse);
    if (byMouse)
        QTest::mouseClick(softKey, Qt::LeftButton, {}, QPoint(softKey->width() - 10, 10));
    else
        QTest::keyClick(window, Qt::Key_F2);
    QCOMPARE(slots_->right, 1);
    QVERIFY(window->pressed.isEmpty());
    QVERIFY(!menu->isVisible());
}

void SoftKeysTest::clickOnTheLeftHalfOpensTheMenu() {
    QTest::mouseClick(softKey, Qt::LeftButton, {}, QPoint(10, 10));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(slots_->right, 0);
}

void SoftKeysTest::itemsGoWhereTheirIndexSays() {
    menu->insertItem("Jump", nullptr, nullptr, false, 1, 1);
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions.at(0), menu->item(0));
    QCOMPARE(actions.at(1), menu->item(1));
    QCOMPARE(actions.at(2), menu->item(2));
    QVERIFY(!menu->item(1)->isEnabled());
    QCOMPARE(menu->item(7), nullptr);
}

QTEST_MAIN(SoftKeysTest)
#include "tst_platform_softkeys.moc"
