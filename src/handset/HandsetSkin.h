#pragma once

#include "ZMainWidget.h"
#include "ZSoftKey.h"

#include <QPointer>
#include <QSet>
#include <QWidget>

// The handset drawn around a top-level handset window: the window becomes the skin's screen,
// and the skin is the desktop's window. Clicking a key on the skin sends the screen the key
// press and release of the desktop key it stands for; a desktop key held down shows its skin
// key pressed. The skin shows the screen's title, shows and hides with it, and passes the
// desktop's close requests on to it.
class HandsetSkin : public QWidget {
    Q_OBJECT
public:
    // Top-level handset windows made from now on are drawn in a skin each, unless the emulator
    // was told to show bare screens. Called once the application has taken its options.
    static void install();

    explicit HandsetSkin(ZMainWidget* screen);
    ZMainWidget* screen() const { return qobject_cast<ZMainWidget*>(screen_.data()); }
    // The skin's rectangle of the key that stands for the desktop key; empty when none does.
    QRect keyRect(int qtKey) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void followScreen(QEvent* event);
    void showKeyDown(QEvent* event);
    void followSoftKeys();
    void sendKey(int index);

    // Held as the widget it is: while the screen is destroyed, its widget part still sends events
    // (it hides) when its ZMainWidget part has gone, and taking it as that would be undefined.
    QPointer<QWidget> screen_;
    QPointer<ZSoftKey> watchedSoftKeys_;
    QSet<int> keysDown_;
    int clicked_ = -1;
};
