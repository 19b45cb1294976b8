#include "MainWidget.h"

#include "CommandLine.h"
#include "DuplexPipe.h"
#include "HandsetKeys.h"
#include "KeyBindings.h"
#include "PlayerInterface.h"
#include "ZLabel.h"
#include "ZMessageDlg.h"
#include "ZNumModule.h"
#include "ZNumPickerDlg.h"
#include "ZOptionsMenu.h"
#include "ZPower.h"
#include "ZScrollPanel.h"
#include "ZSoftKey.h"
#include "ZText.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kTopLevelFlag = 1;
constexpr int kContinueItem = 0;
constexpr int kExitItem = 2;
constexpr int kLabelWidth = 220;
constexpr int kLabelX = 10;
constexpr int kLabelY = 10;

// The player needs a moment to act on a command before the display or its pipe changes.
constexpr useconds_t kSettleMicros = 200000;
// How long an ending player may take to quit by itself before its process group is killed.
constexpr int kPlayerGraceMs = 2000;

constexpr int kSleepKeepOn = 0;
constexpr int kSleepShort = 1;
constexpr int kSleepPaused = 20;
constexpr int kSleepAfterPlayback = 30;

constexpr char kAboutText[] = "Vidlark ver1.4beta\n"
                              "by the Vidlark developers\n"
                              "基于MPlayer\n"
                              "Email:\n"
                              " vidlark@example.org";

void traceLine(const char* text) {
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
}

} // namespace

MainWidget::MainWidget(const QByteArray& mediaPath, const QByteArray& appDir, QWidget* parent)
    : ZKbMainWidget(ZHeader::MAINDISPLAY_HEADER, parent, mediaPath, kTopLevelFlag), appDir(appDir),
      mediaInfo(mediaPath, appDir + '/' + Player::kProbeExecutable) {
    playerName = playerNameFor(mediaInfo);
    commandLine = commandLineFor(appDir, mediaPath, mediaInfo);
    setMainWidgetTitle(toUtf8Text("Vidlark"));
    buildSoftKeys();
    buildInformationScreen();
    setSoftKey(softKey);
    loadKeyBindings(appDir, keyBindings);
}

MainWidget::~MainWidget() {
    // A player started with -idle never ends when its input closes; it has to be told.
    if (playerPipe)
        sendCommand(playerPipe, Player::kQuit);
    closePlayer();
    delete aboutDlg;
}

void MainWidget::buildSoftKeys() {
    softKey = new ZSoftKey(nullptr, this, this);
    softKey->setText(ZSoftKey::LEFT, toUtf8Text("选项"), ZSoftKey::PRIORITY_0);
    softKey->setText(ZSoftKey::RIGHT, toUtf8Text("关于"), ZSoftKey::PRIORITY_0);

    auto* menu = new ZOptionsMenu(QRect(), this, nullptr, 0, ZSkinService::clsZOptionsMenu);
    menu->insertItem(toUtf8Text("继续 5"), nullptr, nullptr, true, kContinueItem, 0);
    menu->insertItem(toUtf8Text("退出"), nullptr, nullptr, true, kExitItem, -1);
    menu->connectItem(kContinueItem, this, SLOT(playorpause()));
    menu->connectItem(kExitItem, this, SLOT(killall()));
    softKey->setOptMenu(ZSoftKey::LEFT, menu);
    softKey->setClickedSlot(ZSoftKey::RIGHT, this, SLOT(about()));
}

void MainWidget::buildInformationScreen() {
    QVBoxLayout* layout = getVBoxLayout();
    scrollPanel = new ZScrollPanel(this, nullptr, 0, ZSkinService::clsZScrollPanel);
    infoLabel = new ZLabel(toUtf8Text(informationText().constData()), this, "ZLabel", 0,
                           ZSkinService::clsZLabel);
    infoLabel->setPreferredWidth(kLabelWidth);
    infoLabel->setAutoResize(true);
    // The label goes below whatever height the window asks for at the label's width; this
    // window has no height-for-width of its own, which the handset's toolkit reports as 0.
    scrollPanel->addChild(infoLabel, kLabelX, kLabelY);
    layout->addWidget(scrollPanel, 0, Qt::Alignment());
}

QByteArray MainWidget::informationText() const {
    QByteArray text = "==文件信息==";
    text += "\n类型：" + mediaInfo.demuxer();
    text += "\n大小：" + QByteArray::number(mediaInfo.width()) + '*' +
            QByteArray::number(mediaInfo.height());
    text += "\n帧速：" + mediaInfo.fps();
    text += "\n码率：" + QByteArray::number(mediaInfo.bitrate());
    text += "\n长度：" + mediaInfo.length();
    return text;
}

void MainWidget::playorpause() {
    switch (state) {
    case Idle:
        state = Playing;
        setFullScreenMode(true, false);
        infoLabel->hide();
        startPlayer();
        break;
    case Playing:
        sendCommand(playerPipe, Player::kPause);
        state = Paused;
        setFullScreenMode(false, false);
        infoLabel->show();
        show();
        usleep(kSettleMicros);
        setScreenSleep(kSleepPaused);
        show();
        break;
    case Paused:
        sendCommand(playerPipe, Player::kPause);
        state = Playing;
        setScreenSleep(kSleepKeepOn);
        setFullScreenMode(true, false);
        infoLabel->hide();
        break;
    }
}

void MainWidget::startPlayer() {
    playerPipe = openDuplexPipe(commandLine);
    setScreenSleep(kSleepKeepOn);
}

void MainWidget::jumpto() {
    auto* picker = new ZNumPickerDlg(3, nullptr, toUtf8Text("跳至").toLatin1().constData(), 0);
    ZNumModule* module = picker->getNumModule();
    module->setMaxValue(100);
    module->setMinValue(0);
    module->setValue(0);
    picker->show();
    const int percent = picker->getNumValue();
    const bool accepted = picker->wasAccepted();
    delete picker;
    delete module;
    // Seeking to a number nobody chose would restart the clip.
    if (!accepted)
        return;
    char command[40] = {};
    std::snprintf(command, sizeof command, Player::kSeekPercentFormat, percent);
    sendBuiltIn(command);
    if (state == Paused)
        playorpause();
}

void MainWidget::quit() {
    sendCommand(playerPipe, Player::kQuit);
    setScreenSleep(kSleepAfterPlayback);
    usleep(kSettleMicros);
    closePlayer();
    leaveEventLoop();
}

void MainWidget::about() {
    if (!aboutDlg)
        aboutDlg = new ZMessageDlg(toUtf8Text("关于"), toUtf8Text(kAboutText), ZMessageDlg::TypeOK,
                                   0, this, "about", true, 0);
    aboutDlg->show();
}

void MainWidget::killall() {
    setScreenSleep(kSleepAfterPlayback);
    usleep(kSettleMicros);
    // Only this window's player goes: its shell and everything the shell started.
    if (playerPipe)
        killDuplexPipeGroup(playerPipe);
    closePlayer();
    traceLine("exit");
    leaveEventLoop();
}

// QCoreApplication::quit() would first close every window, and the deactivation that brings
// would pause the window again and undo the display sleep time just set; the loop only has to
// end, and playWindow destroys the window.
void MainWidget::leaveEventLoop() {
    QCoreApplication::exit(0);
}

void MainWidget::toggleScreenSleep() {
    setScreenSleep(screenKeptOn ? kSleepShort : kSleepKeepOn);
}

void MainWidget::setScreenSleep(int seconds) {
    PM_setupLcdSleepTime(seconds);
    screenKeptOn = seconds == kSleepKeepOn;
}

void MainWidget::sendBuiltIn(const QByteArray& command) {
    // Any plain command would resume a paused player behind the information screen.
    if (state == Paused)
        sendCommand(playerPipe, Player::kPausingKeepPrefix + command);
    else
        sendCommand(playerPipe, command);
}

void MainWidget::closePlayer() {
    if (!playerPipe)
        return;
    closeDuplexPipe(playerPipe, kPlayerGraceMs);
    playerPipe = nullptr;
}

bool MainWidget::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) {
        traceLine("WindowDeactivate");
        if (state == Playing)
            playorpause();
    }
    return ZKbMainWidget::event(event);
}

void MainWidget::keyPressEvent(QKeyEvent* event) {
    if (runKeyBinding(keyBindings, event->key(), playerPipe) == -1)
        runBuiltInKey(event->key());
}

void MainWidget::keyReleaseEvent(QKeyEvent*) {}

void MainWidget::runBuiltInKey(int key) {
    switch (key) {
    case HandsetKey::Hash:
        sendBuiltIn(Player::kKeyO);
        break;
    case HandsetKey::Star:
        toggleScreenSleep();
        break;
    case '2':
    case HandsetKey::F28:
        sendBuiltIn(Player::kSeekForward);
        break;
    case '4':
    case HandsetKey::Next:
        sendBuiltIn(Player::kKeyNine);
        break;
    case '5':
    case HandsetKey::F26:
        playorpause();
        break;
    case '6':
    case HandsetKey::Prior:
        sendBuiltIn(Player::kKeyZero);
        break;
    case '8':
    case HandsetKey::F29:
        sendBuiltIn(Player::kSeekBack);
        break;
    default:
        break;
    }
}
