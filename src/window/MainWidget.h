#pragma once

#include "MediaInfo.h"
#include "PlayState.h"
#include "PlayerSession.h"
#include "ZKbMainWidget.h"

#include <QByteArrayList>

class ZMessageDlg;
class ZLabel;

// The player window: probes the clip, builds the player's command line, shows the clip's
// properties while paused and drives the player from keys, soft keys and menu.
class MainWidget : public ZKbMainWidget {
    Q_OBJECT
public:
    MainWidget(const QByteArray& mediaPath, const QByteArray& appDir, QWidget* parent = nullptr);
    ~MainWidget() override;

public slots:
    void playorpause();
    void jumpto();
    void about();
    // The one way out, whoever asks: the menu, a termination signal or the window manager.
    void killall();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildSoftKeys();
    void buildInformationScreen();
    QByteArray informationText() const;

    void startPlayer();
    void toggleScreenSleep();
    void setScreenSleep(int seconds);
    void runBuiltInKey(int key);

    PlayState state = Idle;
    bool leaving = false;
    ZMessageDlg* aboutDlg = nullptr;
    ZLabel* infoLabel = nullptr;
    PlayerSession player;
    QByteArray commandLine;
    int screenKeptOn = 0;
    QByteArrayList keyBindings;
    MediaInfo mediaInfo;
};
