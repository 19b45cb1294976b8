#pragma once

#include "MediaInfo.h"
#include "PlayState.h"
#include "PlayerSession.h"
#include "ZKbMainWidget.h"

#include <QByteArrayList>
#include <QTimer>

class AudioView;
class ZMessageDlg;
class ZLabel;

// The player window: builds the player's command line from the probed clip, shows the clip's
// properties while paused and drives the player from keys, soft keys and menu.
class MainWidget : public ZKbMainWidget {
    Q_OBJECT
public:
    // Builds what does not depend on the clip's properties, so that it can be done while the
    // clip is being probed; until setMediaInfo the window shows those of a failed probe.
    MainWidget(const QByteArray& mediaPath, const QByteArray& appDir, QWidget* parent = nullptr);
    ~MainWidget() override;

    // Completes the window on the probed clip: the player's command line, the information
    // screen, and then the key bindings, whose traces follow the probe's.
    void setMediaInfo(const MediaInfo& info);

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

    void listenToPlayer();
    void updateInformation();
    void showPlayingView();
    void showInformationScreen();
    void pauseSettled();
    void finishSettling();
    void stop(const QByteArray& reason);
    void startPlayer();
    void toggleScreenSleep();
    void setScreenSleep(int seconds);
    void runBuiltInKey(int key);
    void sendCommand(const QByteArray& command);

    PlayState state = Idle;
    bool leaving = false;
    ZMessageDlg* aboutDlg = nullptr;
    ZLabel* infoLabel = nullptr;
    AudioView* audioView = nullptr;
    QTimer settle;
    // A line on why the clip does not play, above the clip's properties; UTF-8.
    QByteArray notice;
    // The length the player told, where the probe had none.
    QByteArray playerLength;
    PlayerSession player;
    CommandWords commandLine;
    QByteArray mediaPath;
    QByteArray appDir;
    int screenKeptOn = 0;
    QByteArrayList keyBindings;
    MediaInfo mediaInfo;
};
