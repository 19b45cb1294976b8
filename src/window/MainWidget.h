#pragma once

#include "MediaInfo.h"
#include "PlayState.h"
#include "ZKbMainWidget.h"

#include <QByteArrayList>
#include <cstdio>

class ZMessageDlg;
class ZSoftKey;
class ZLabel;
class ZScrollPanel;

// The player window: probes the clip, builds the player's command line, shows the clip's
// properties while paused and drives the player from keys, soft keys and menu.
class MainWidget : public ZKbMainWidget {
    Q_OBJECT
public:
    MainWidget(const QByteArray& mediaPath, const QByteArray& appDir, QWidget* parent = nullptr);
    ~MainWidget() override;

    PlayState playState() const { return state; }
    const QByteArray& playerCommandLine() const { return commandLine; }
    const QByteArray& playerExecutable() const { return playerName; }
    ZLabel* informationLabel() const { return infoLabel; }
    ZMessageDlg* aboutDialog() const { return aboutDlg; }
    FILE* playerStream() const { return playerPipe; }

public slots:
    void playorpause();
    void jumpto();
    void quit();
    void about();
    void killall();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void buildSoftKeys();
    void buildInformationScreen();
    QByteArray informationText() const;

    void startPlayer();
    void toggleScreenSleep();
    void setScreenSleep(int seconds);
    // Built-in commands; while paused they carry the prefix that keeps the player paused.
    void sendBuiltIn(const QByteArray& command);
    void runBuiltInKey(int key);
    void closePlayer();
    void leaveEventLoop();

    PlayState state = Idle;
    ZMessageDlg* aboutDlg = nullptr;
    ZSoftKey* softKey = nullptr;
    ZLabel* infoLabel = nullptr;
    ZScrollPanel* scrollPanel = nullptr;
    FILE* playerPipe = nullptr;
    QByteArray commandLine;
    QByteArray playerName;
    QByteArray appDir;
    int screenKeptOn = 0;
    QByteArrayList keyBindings;
    MediaInfo mediaInfo;
};
