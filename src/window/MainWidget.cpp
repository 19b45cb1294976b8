#include "MainWidget.h"

#include "AudioView.h"
#include "CommandLine.h"
#include "HandsetKeys.h"
#include "KeyBindings.h"
#include "MediaProbe.h"
#include "PlaybackFailure.h"
#include "PlayerInterface.h"
#include "Trace.h"
#include "VideoRotation.h"
#include "ZApplication.h"
#include "ZLabel.h"
#include "ZMessageDlg.h"
#include "ZNumModule.h"
#include "ZNumPickerDlg.h"
#include "ZOptionsMenu.h"
#include "ZPower.h"
#include "ZScrollPanel.h"
#include "ZSoftKey.h"
#include "ZText.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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
constexpr int kSettleMs = 200;
constexpr useconds_t kSettleMicros = kSettleMs * 1000;

constexpr int kSleepKeepOn = 0;
constexpr int kSleepShort = 1;
constexpr int kSleepPaused = 20;
constexpr int kSleepAfterPlayback = 30;

constexpr char kAboutText[] = "Vidlark ver1.4beta\n"
                              "by the Vidlark developers\n"
                              "基于MPlayer\n"
                              "Email:\n"
                              " vidlark@example.org";

bool isToggleKey(int key) {
    return key == '5' || key == HandsetKey::F26 || key == HandsetKey::Star;
}

} // namespace

MainWidget::MainWidget(const QByteArray& mediaPath, const QByteArray& appDir, QWidget* parent)
    : ZKbMainWidget(ZHeader::MAINDISPLAY_HEADER, parent, mediaPath, kTopLevelFlag),
      mediaPath(mediaPath), appDir(appDir), clips{mediaPath} {
    setMainWidgetTitle(toUtf8Text("Vidlark"));
    buildSoftKeys();
    buildInformationScreen();
    listenToPlayer();
}

void MainWidget::setMediaInfo(const MediaInfo& info, int rotation) {
    mediaInfo = info;
    commandLine = commandLineFor(appDir, mediaPath, mediaInfo, rotation);
    updateInformation();
    audioView->setLength(mediaInfo.length().toDouble());
    loadKeyBindings(appDir, keyBindings);
}

bool MainWidget::takeProbe(MediaProbe& probe) {
    probe.traceCommand();
    // Read while the probe runs: a few header reads, as MPlayer cannot report it.
    const int rotation = videoRotationOfFile(probe.mediaPath());
    if (!probe.wait(ZApplication::terminationNotice()))
        return false;
    setMediaInfo(probe.info(), rotation);
    return true;
}

void MainWidget::setPlaylist(const QByteArrayList& list) {
    clips = list;
    clipIndex = 0;
}

MainWidget::~MainWidget() {
    delete aboutDlg;
}

void MainWidget::buildSoftKeys() {
    auto* softKey = new ZSoftKey(nullptr, this, this);
    softKey->setText(ZSoftKey::LEFT, toUtf8Text("选项"), ZSoftKey::PRIORITY_0);
    softKey->setText(ZSoftKey::RIGHT, toUtf8Text("关于"), ZSoftKey::PRIORITY_0);

    auto* menu = new ZOptionsMenu(QRect(), this, nullptr, 0, ZSkinService::clsZOptionsMenu);
    menu->insertItem(toUtf8Text("继续 5"), nullptr, nullptr, true, kContinueItem, 0);
    menu->insertItem(toUtf8Text("退出"), nullptr, nullptr, true, kExitItem, -1);
    menu->connectItem(kContinueItem, this, SLOT(playorpause()));
    menu->connectItem(kExitItem, this, SLOT(killall()));
    softKey->setOptMenu(ZSoftKey::LEFT, menu);
    softKey->setClickedSlot(ZSoftKey::RIGHT, this, SLOT(about()));
    setSoftKey(softKey);
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
    audioView = new AudioView(QFileInfo(QFile::decodeName(mediaPath)).fileName(), this);
    audioView->hide();
    layout->addWidget(audioView, 1);
}

QByteArray MainWidget::informationText() const {
    QByteArray text = "==文件信息==";
    text += "\n类型：" + mediaInfo.demuxer();
    text += "\n大小：" + QByteArray::number(mediaInfo.width()) + '*' +
            QByteArray::number(mediaInfo.height());
    text += "\n帧速：" + mediaInfo.fps();
    text += "\n码率：" + QByteArray::number(mediaInfo.bitrate());
    text += "\n长度：" + (playerLength.isEmpty() ? mediaInfo.length() : playerLength);
    return notice.isEmpty() ? text : notice + '\n' + text;
}

void MainWidget::updateInformation() {
    infoLabel->setText(toUtf8Text(informationText().constData()));
}

void MainWidget::playorpause() {
    finishSettling();
    switch (state) {
    case Idle:
        playFromStart();
        break;
    case Stopped:
        // A list plays again from its first clip.
        if (clipIndex == 0 || loadClip(0))
            playFromStart();
        break;
    case Playing:
        player.send(Player::kPause);
        state = Paused;
        showInformationScreen();
        // The rest of the step waits for the player without holding up the interface.
        settle.start(kSettleMs);
        break;
    case Paused:
        player.send(Player::kPause);
        state = Playing;
        setScreenSleep(kSleepKeepOn);
        showPlayingView();
        break;
    }
}

void MainWidget::playFromStart() {
    state = Playing;
    showPlayingView();
    startPlayer();
}

void MainWidget::pauseSettled() {
    setScreenSleep(kSleepPaused);
    show();
}

// What comes next acts after the pause step is complete, as if that step had waited in place.
void MainWidget::finishSettling() {
    if (settle.isActive()) {
        settle.stop();
        pauseSettled();
    }
}

// A clip without a picture has a view of its own; any other gives the screen to the player.
void MainWidget::showPlayingView() {
    const bool audio = mediaInfo.isAudioOnly();
    setFullScreenMode(true, audio);
    infoLabel->hide();
    scrollPanel->setVisible(!audio);
    audioView->setVisible(audio);
}

void MainWidget::showInformationScreen() {
    setFullScreenMode(false, false);
    audioView->hide();
    scrollPanel->show();
    infoLabel->show();
    show();
}

void MainWidget::startPlayer() {
    setScreenSleep(kSleepKeepOn);
    notice.clear();
    if (!player.start(commandLine))
        stop(startFailureLine(player.startError()));
}

// The player, if it is still there, idles; playing again starts a new one.
void MainWidget::stop(const QByteArray& reason) {
    if (leaving)
        return;
    state = Stopped;
    settle.stop();
    notice = reason;
    updateInformation();
    showInformationScreen();
    setScreenSleep(kSleepPaused);
}

// The next clip of a list plays, whether this one ended or failed; the last one's end or
// failure is what the stopped window shows.
void MainWidget::clipOver(const QByteArray& reason) {
    if (clipIndex + 1 >= clips.size()) {
        stop(reason);
        return;
    }
    // Not from within the session's own signal: starting the next player ends this one.
    QMetaObject::invokeMethod(this, &MainWidget::playNextClip, Qt::QueuedConnection);
}

void MainWidget::playNextClip() {
    if (!leaving && loadClip(clipIndex + 1))
        playFromStart();
}

// Each clip has its own probe, and so its own command line and information screen.
bool MainWidget::loadClip(qsizetype index) {
    clipIndex = index;
    mediaPath = clips[index];
    playerLength.clear();
    audioView->setName(QFileInfo(QFile::decodeName(mediaPath)).fileName());
    MediaProbe probe(mediaPath, appDir + '/' + Player::kProbeExecutable);
    return takeProbe(probe);
}

void MainWidget::listenToPlayer() {
    settle.setSingleShot(true);
    connect(&settle, &QTimer::timeout, this, &MainWidget::pauseSettled);
    connect(&player, &PlayerSession::ended, this, [this] { clipOver({}); });
    connect(&player, &PlayerSession::failed, this,
            [this](PlayerSession::Failure why) { clipOver(failureLine(why, mediaPath)); });
    connect(&player, &PlayerSession::positionChanged, audioView, &AudioView::setPosition);
    connect(&player, &PlayerSession::lengthKnown, this, [this](double seconds) {
        audioView->setLength(seconds);
        // The probe of a clip without a picture tells no length.
        if (mediaInfo.length().toDouble() <= 0 && playerLength.isEmpty()) {
            playerLength = QByteArray::number(seconds, 'f', 2);
            updateInformation();
        }
    });
}

void MainWidget::jumpto() {
    finishSettling();
    if (state == Stopped)
        return; // nothing plays to seek in
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
    sendCommand(command);
    if (state == Paused)
        playorpause();
}

void MainWidget::about() {
    if (!aboutDlg)
        aboutDlg = new ZMessageDlg(toUtf8Text("关于"), toUtf8Text(kAboutText), ZMessageDlg::TypeOK,
                                   0, this, "about", true, 0);
    aboutDlg->show();
}

// Only this window's player goes, with everything it started. The loop only has to end, and
// playWindow destroys the window: QCoreApplication::quit() would first close every window.
void MainWidget::killall() {
    if (leaving)
        return;
    leaving = true;
    setScreenSleep(kSleepAfterPlayback);
    usleep(kSettleMicros);
    player.end();
    Trace::line("exit");
    QCoreApplication::exit(0);
}

// A paused player stays paused: any plain command would resume it. Once stopped, nothing plays
// that a command could act on.
void MainWidget::sendCommand(const QByteArray& command) {
    if (state != Stopped)
        player.send(state == Paused ? Player::keepingPause(command) : command);
}

void MainWidget::toggleScreenSleep() {
    setScreenSleep(screenKeptOn ? kSleepShort : kSleepKeepOn);
}

void MainWidget::setScreenSleep(int seconds) {
    PM_setupLcdSleepTime(seconds);
    screenKeptOn = seconds == kSleepKeepOn;
}

bool MainWidget::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) {
        Trace::line("WindowDeactivate");
        // A window on its way out is hidden, which deactivates it; that is no reason to pause.
        if (state == Playing && !leaving)
            playorpause();
    }
    return ZKbMainWidget::event(event);
}

void MainWidget::keyPressEvent(QKeyEvent* event) {
    // A held key repeats; a toggle repeated would flicker between its two states.
    if (event->isAutoRepeat() && isToggleKey(event->key()))
        return;
    finishSettling();
    if (runKeyBinding(keyBindings, event->key(), state == Paused, player) == -1)
        runBuiltInKey(event->key());
}

void MainWidget::keyReleaseEvent(QKeyEvent*) {}

// A termination signal or the window manager closes the window; the player ends as it does from
// the menu, before the window is hidden.
void MainWidget::closeEvent(QCloseEvent* event) {
    killall();
    ZKbMainWidget::closeEvent(event);
}

void MainWidget::runBuiltInKey(int key) {
    switch (key) {
    case HandsetKey::Hash:
        sendCommand(Player::kOnScreenDisplay);
        break;
    case HandsetKey::Star:
        toggleScreenSleep();
        break;
    case '2':
    case HandsetKey::F28:
        sendCommand(Player::kSeekForward);
        break;
    case '4':
    case HandsetKey::Next:
        sendCommand(Player::kVolumeDown);
        break;
    case '5':
    case HandsetKey::F26:
        playorpause();
        break;
    case '6':
    case HandsetKey::Prior:
        sendCommand(Player::kVolumeUp);
        break;
    case '8':
    case HandsetKey::F29:
        sendCommand(Player::kSeekBack);
        break;
    default:
        break;
    }
}
