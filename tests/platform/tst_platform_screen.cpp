// The handset screen: title, content, soft-key bar, full-screen modes and the video surface.
#include "RecordingWindow.h"
#include "ZLabel.h"
#include "ZScrollPanel.h"
#include "ZSoftKey.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

class ScreenTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void titleContentAndSoftKeyBar();
    void fullScreenGivesTheContentTheWholeScreen_data();
    void fullScreenGivesTheContentTheWholeScreen();
    void videoSurfaceCoversTheScreenWhileVideoIsShown();
    void windowKeepsTheFocus();
    void labelGrowsWithItsTextInsideThePanel();

private:
    QWidget* content() const { return window->getVBoxLayout()->parentWidget(); }
    QWidget* titleBar() const { return window->findChild<QLabel*>("titleBar"); }

    RecordingWindow* window = nullptr;
    ZScrollPanel* panel = nullptr;
    ZLabel* label = nullptr;
};

void ScreenTest::init() {
    window = new RecordingWindow;
    window->setMainWidgetTitle("Vidlark");
    window->setSoftKey(new ZSoftKey(nullptr, window, window));
    panel = new ZScrollPanel(window, nullptr, 0, ZSkinService::clsZScrollPanel);
    label = new ZLabel("==info==\nline 2\nline 3 is a long line that has to wrap at least once",
                       window, "ZLabel", 0, ZSkinService::clsZLabel);
    label->setPreferredWidth(220);
    label->setAutoResize(true);
    panel->addChild(label, 10, 10);
    window->getVBoxLayout()->addWidget(panel, 0, Qt::Alignment());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void ScreenTest::cleanup() {
    delete window;
}

void ScreenTest::titleContentAndSoftKeyBar() {
    QCOMPARE(window->size(), QSize(240, 320));
    QCOMPARE(window->windowTitle(), QString("Vidlark"));
    QCOMPARE(window->mainWidgetTitle(), QString("Vidlark"));
    QVERIFY(titleBar()->isVisible());
    QCOMPARE(titleBar()->geometry().top(), 0);
    QCOMPARE(window->softKeyBar()->geometry().bottom(), 319);
    QCOMPARE(content()->geometry().top(), titleBar()->geometry().bottom() + 1);
    QCOMPARE(content()->geometry().bottom() + 1, window->softKeyBar()->geometry().top());
}

void ScreenTest::fullScreenGivesTheContentTheWholeScreen_data() {
    QTest::addColumn<bool>("selfDrawn");
    QTest::newRow("self-drawn") << true;
    QTest::newRow("video") << false;
}

void ScreenTest::fullScreenGivesTheContentTheWholeScreen() {
    QFETCH(bool, selfDrawn);
    const QRect framed = content()->geometry();
    window->setFullScreenMode(true, selfDrawn);
    QVERIFY(window->isFullScreenMode());
    QVERIFY(!titleBar()->isVisible());
    QVERIFY(!window->softKeyBar()->isVisible());
    QCOMPARE(content()->geometry(), QRect(0, 0, 240, 320));
    window->setFullScreenMode(false, false);
    QVERIFY(titleBar()->isVisible());
    QVERIFY(window->softKeyBar()->isVisible());
    QCOMPARE(content()->geometry(), framed);
}

void ScreenTest::videoSurfaceCoversTheScreenWhileVideoIsShown() {
    window->setFullScreenMode(true, true);
    QCOMPARE(window->videoSurface(), nullptr);
    window->setFullScreenMode(true, false);
    QWidget* surface = window->videoSurface();
    QVERIFY(surface);
    QVERIFY(surface->isVisible());
    QVERIFY(surface->testAttribute(Qt::WA_NativeWindow));
    QVERIFY(!surface->testAttribute(Qt::WA_PaintOnScreen));
    QCOMPARE(surface->focusPolicy(), Qt::NoFocus);
    QCOMPARE(surface->geometry(), window->rect());
    QCOMPARE(window->childAt(120, 160), surface);
    const WId id = surface->winId();
    // Only an X11 window id means anything to the player.
    QVERIFY(!qEnvironmentVariableIsSet("VIDLARK_WID"));

    window->setFullScreenMode(false, false);
    QCOMPARE(window->videoSurface(), nullptr);
    QVERIFY(!surface->isVisible());
    window->setFullScreenMode(true, false);
    QCOMPARE(window->videoSurface(), surface);
    QCOMPARE(surface->winId(), id);
}

void ScreenTest::windowKeepsTheFocus() {
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(QApplication::focusWidget(), window);
    window->setFullScreenMode(true, false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), window);
    QCOMPARE(window->pressed, QList<int>{0x1015});
}

void ScreenTest::labelGrowsWithItsTextInsideThePanel() {
    QCOMPARE(label->pos(), QPoint(10, 10));
    QCOMPARE(label->width(), 220);
    QCOMPARE(label->height(), label->heightForWidth(220));
    // Three lines of text, the last one wrapped.
    QVERIFY(label->height() >= 4 * label->fontMetrics().height());
    QCOMPARE(panel->widget()->height(), 10 + label->height());
}

QTEST_MAIN(ScreenTest)
#include "tst_platform_screen.moc"
