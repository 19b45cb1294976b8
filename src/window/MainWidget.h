#pragma once

#include "MediaInfo.h"
#include "PlayState.h"
#include "PlayerSession.h"
#include "ZKbMainWidget.h"

#include <QByteArrayList>
#include <QTimer>

class AudioView;
class MediaProbe;
class ZMessageDlg;
class ZLabel;
class ZScrollPanel;

// The player window: builds the player's command line from the probed clip, shows the clip's
// properties while paused and drives the player from keys, soft keys and menu.
class MainWidget : public ZKbMainWidget {
    Q_OBJECT
public:
    // Builds what does not depend on the clip's properties, so that it can be done while the
    // clip is being probed; until setMediaInfo the window shows those of a failed probe.
    MainWidget(const QByteArray& mediaPath, const QByteArray& appDir, QWidget* parent = nullptr);
    ~MainWidget() override;

    // Completes the window on the probed clip and its video's stored rotation (VideoRotation.h):
    // the player's command line, the information screen, and then the key bindings, whose
    // traces follow the probe's.
    void setMediaInfo(const MediaInfo& info, int rotation);
    // Traces the probe's command, waits for it and completes the window on its result. False
    // when the program was told to end meanwhile.
    bool takeProbe(MediaProbe& probe);
    // The clips of a list, played in order from the first, which is the window's clip.
    void setPlaylist(const QByteArrayList& list);

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
    void clipOver(const QByteArray& reason);
    void playNextClip();
    bool loadClip(qsizetype index);
    void playFromStart();
    void startPlayer();
    void toggleScreenSleep();
    void setScreenSleep(int seconds);
    void runBuiltInKey(int key);
    void sendCommand(const QByteArray& command);

    PlayState state = Idle;
    bool leaving = false;
    ZMessageDlg* aboutDlg = nullptr;
    ZLabel* infoLabel = nullptr;
    ZScrollPanel* scrollPanel = nullptr;
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
    // A single clip, or a list's clips with mediaPath the one at clipIndex.
    QByteArrayList clips;
    qsizetype clipIndex = 0;
    int screenKeptOn = 0;
    QByteArrayList keyBindings;
    MediaInfo mediaInfo;
};
