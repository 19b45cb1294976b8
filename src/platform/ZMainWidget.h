#pragma once

#include <QByteArray>
#include <QDialog>

class QKeyEvent;
class QVBoxLayout;
class ZSoftKey;

namespace ZHeader {
enum HEADER_TYPE { MAINDISPLAY_HEADER = 3 };
}

// A top-level handset window: a 240x320 screen with a title bar, a content area laid out by a
// vertical box, and a soft-key bar at the bottom. Made without a parent, it shows in a frame
// of its own, such as the handset drawn around it, when a framer is set (WindowFrame.h).
//
// Key presses and releases reach keyPressEvent/keyReleaseEvent with handset key codes (see
// HandsetKeys.h). F1 presses the left soft key and F2 the right one when the window has a
// soft-key bar; without one, F2 arrives as the handset's F2 key.
//
// setFullScreenMode(true, selfDrawn) hides title and soft-key bar so the content covers all of
// the screen. With selfDrawn false the screen is given over to video: a native video surface
// covers it and its window id is handed to child processes started from then on.
class ZMainWidget : public QDialog {
    Q_OBJECT
public:
    ZMainWidget(ZHeader::HEADER_TYPE header, QWidget* parent, const QByteArray& name, int flags);
    ~ZMainWidget() override;

    void setMainWidgetTitle(const QString& title);
    QString mainWidgetTitle() const;
    void setSoftKey(ZSoftKey* softKey);
    ZSoftKey* softKeyBar() const;
    QVBoxLayout* getVBoxLayout() const;

    void setFullScreenMode(bool on, bool selfDrawn);
    bool isFullScreenMode() const;
    // The native surface the player draws into, or null while the screen is not given to video.
    QWidget* videoSurface() const;

    // The display-sleep emulation darkens the whole screen, video included, and lights it again.
    void setScreenDark(bool dark);
    bool isScreenDark() const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildScreen();
    void deliverHandsetKey(QKeyEvent* desktopKey);
    void updateVideoSurface();

    struct Parts;
    Parts* parts_;
};
