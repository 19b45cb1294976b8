#include "ZMainWidget.h"

#include "FixedSize.h"
#include "FrontWindow.h"
#include "HandsetKeys.h"
#include "HandsetScreen.h"
#include "VideoSurface.h"
#include "WindowFrame.h"
#include "ZSoftKey.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* makeTitleBar(QWidget* screen) {
    auto* title = new QLabel(screen);
    title->setObjectName(QStringLiteral("titleBar"));
    title->setFixedHeight(HandsetScreen::kTitleHeight);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("background: #1d3b62; color: white; font-weight: bold;"));
    return title;
}

} // namespace

struct ZMainWidget::Parts {
    QVBoxLayout* screenLayout = nullptr;
    QLabel* title = nullptr;
    QVBoxLayout* content = nullptr;
    ZSoftKey* softKey = nullptr;
    QWidget* frame = nullptr;
    VideoSurface* video = nullptr;
    ScreenCover* darkOverlay = nullptr;
    bool fullScreen = false;
    bool videoMode = false;
};

// The header type and the flags choose looks the emulated handset does not distinguish.
ZMainWidget::ZMainWidget(ZHeader::HEADER_TYPE, QWidget* parent, const QByteArray& name, int)
    : QDialog(parent), parts_(new Parts) {
    setObjectName(QString::fromLatin1(name));
    setFixedSize(HandsetScreen::kWidth, HandsetScreen::kHeight);
    new FixedSize(this);
    setFocusPolicy(Qt::StrongFocus);
    if (!parent)
        parts_->frame = WindowFrame::frame(this);
    FrontWindow::watch();
    buildScreen();
}

ZMainWidget::~ZMainWidget() {
    // The frame is this window's parent; it can go only once this window has left it.
    if (parts_->frame) {
        parts_->frame->hide();
        parts_->frame->deleteLater();
    }
    delete parts_;
}

void ZMainWidget::buildScreen() {
    parts_->screenLayout = new QVBoxLayout(this);
    parts_->screenLayout->setContentsMargins(0, 0, 0, 0);
    parts_->screenLayout->setSpacing(0);
    parts_->title = makeTitleBar(this);
    parts_->screenLayout->addWidget(parts_->title);

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("content"));
    parts_->content = new QVBoxLayout(content);
    parts_->content->setContentsMargins(0, 0, 0, 0);
    parts_->screenLayout->addWidget(content, 1);
}

void ZMainWidget::setMainWidgetTitle(const QString& title) {
    parts_->title->setText(title);
    setWindowTitle(title);
}

QString ZMainWidget::mainWidgetTitle() const {
    return parts_->title->text();
}

void ZMainWidget::setSoftKey(ZSoftKey* softKey) {
    if (parts_->softKey)
        parts_->screenLayout->removeWidget(parts_->softKey);
    parts_->softKey = softKey;
    if (!softKey)
        return;
    softKey->setParent(this);
    parts_->screenLayout->addWidget(softKey);
    softKey->setVisible(!parts_->fullScreen);
}

ZSoftKey* ZMainWidget::softKeyBar() const {
    return parts_->softKey;
}

QVBoxLayout* ZMainWidget::getVBoxLayout() const {
    return parts_->content;
}

void ZMainWidget::setFullScreenMode(bool on, bool selfDrawn) {
    parts_->fullScreen = on;
    parts_->videoMode = on && !selfDrawn;
    parts_->title->setVisible(!on);
    if (parts_->softKey)
        parts_->softKey->setVisible(!on);
    // Callers draw or start a player right away; the content must already have its new size.
    parts_->screenLayout->activate();
    updateVideoSurface();
}

bool ZMainWidget::isFullScreenMode() const {
    return parts_->fullScreen;
}

QWidget* ZMainWidget::videoSurface() const {
    return parts_->videoMode ? parts_->video : nullptr;
}

void ZMainWidget::setScreenDark(bool dark) {
    if (dark && !parts_->darkOverlay)
        parts_->darkOverlay = new ScreenCover(this, QStringLiteral("screenDark"));
    if (parts_->darkOverlay)
        parts_->darkOverlay->setShown(dark);
    updateVideoSurface();
}

bool ZMainWidget::isScreenDark() const {
    return parts_->darkOverlay && parts_->darkOverlay->isVisible();
}

// The player keeps drawing into its window whatever lies above it, so a dark screen hides the
// video surface too.
void ZMainWidget::updateVideoSurface() {
    if (parts_->videoMode && !parts_->video)
        parts_->video = new VideoSurface(this);
    if (!parts_->video)
        return;
    parts_->video->setShown(parts_->videoMode && !isScreenDark());
    parts_->video->setAnnounced(parts_->videoMode);
}

bool ZMainWidget::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        deliverHandsetKey(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QDialog::event(event);
}

void ZMainWidget::deliverHandsetKey(QKeyEvent* desktopKey) {
    const std::optional<quint16> handsetCode =
        handsetKeyCode(desktopKey->key(), desktopKey->text());
    if (!handsetCode)
        return; // a key the handset does not have
    const int code = *handsetCode;
    if (parts_->softKey && (code == HandsetKey::F1 || code == HandsetKey::F2)) {
        // A held soft key would open and close its menu, or its box, over and over.
        if (desktopKey->type() == QEvent::KeyPress && !desktopKey->isAutoRepeat())
            parts_->softKey->press(code == HandsetKey::F1 ? ZSoftKey::LEFT : ZSoftKey::RIGHT);
        return;
    }
    QKeyEvent handsetKey(desktopKey->type(), code, desktopKey->modifiers(), desktopKey->text(),
                         desktopKey->isAutoRepeat(), desktopKey->count());
    if (desktopKey->type() == QEvent::KeyPress)
        keyPressEvent(&handsetKey);
    else
        keyReleaseEvent(&handsetKey);
    desktopKey->setAccepted(handsetKey.isAccepted());
}

// The handset has one window in front and it takes every key.
void ZMainWidget::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}
