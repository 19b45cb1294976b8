#include "HandsetSkin.h"

#include "EmulatorOptions.h"
#include "FixedSize.h"
#include "HandsetKeys.h"
#include "SkinLayout.h"
#include "SkinPainter.h"
#include "WindowFrame.h"
#include "ZMainWidget.h"
#include "ZSoftKey.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <utility>

void HandsetSkin::install() {
    if (!EmulatorOptions::bare())
        WindowFrame::setFramer(
            [](ZMainWidget* screen) -> QWidget* { return new HandsetSkin(screen); });
}

HandsetSkin::HandsetSkin(ZMainWidget* screen) : screen_(screen) {
    setObjectName(QStringLiteral("handsetSkin"));
    setFixedSize(SkinLayout::kWidth, SkinLayout::kHeight);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    new FixedSize(this);
    // A plain child, placed once: a dialog would otherwise centre itself on every show.
    screen->setParent(this, Qt::Widget);
    screen->move(SkinLayout::kScreen.topLeft());
    setWindowTitle(screen->windowTitle());
    screen->installEventFilter(this);
    qApp->installEventFilter(this);
}

QRect HandsetSkin::keyRect(int qtKey) const {
    const std::optional<quint16> code = handsetKeyCode(qtKey, {});
    const int index = code ? SkinLayout::keyWithCode(*code) : -1;
    return index < 0 ? QRect() : SkinLayout::keys().at(index).rect;
}

bool HandsetSkin::eventFilter(QObject* watched, QEvent* event) {
    if (screen_ && watched == screen_)
        followScreen(event);
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        showKeyDown(event);
    return false;
}

void HandsetSkin::followScreen(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShowToParent:
        show();
        break;
    case QEvent::HideToParent:
        hide();
        break;
    case QEvent::WindowTitleChange:
        setWindowTitle(screen_->windowTitle());
        break;
    case QEvent::Show:
    case QEvent::LayoutRequest:
        followSoftKeys();
        break;
    case QEvent::WindowDeactivate: // keys let go elsewhere are never seen here
        keysDown_.clear();
        update();
        break;
    default:
        break;
    }
}

// Every key event of the application is a handset key; it may pass several widgets on its way,
// which only sets the same state again.
void HandsetSkin::showKeyDown(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return;
    const std::optional<quint16> code = handsetKeyCode(key->key(), key->text());
    const int index = code ? SkinLayout::keyWithCode(*code) : -1;
    if (index < 0 || keysDown_.contains(index) == (event->type() == QEvent::KeyPress))
        return;
    if (event->type() == QEvent::KeyPress)
        keysDown_.insert(index);
    else
        keysDown_.remove(index);
    update(SkinLayout::keys().at(index).rect);
}

// The soft keys are labelled with whatever the screen's soft-key bar says now.
void HandsetSkin::followSoftKeys() {
    ZSoftKey* softKeys = screen() ? screen()->softKeyBar() : nullptr;
    if (softKeys == watchedSoftKeys_)
        return;
    if (watchedSoftKeys_)
        disconnect(watchedSoftKeys_, nullptr, this, nullptr);
    watchedSoftKeys_ = softKeys;
    if (softKeys)
        connect(softKeys, &ZSoftKey::textChanged, this, qOverload<>(&QWidget::update));
    update();
}

void HandsetSkin::paintEvent(QPaintEvent*) {
    SkinPainter::Look look;
    if (ZSoftKey* softKeys = screen() ? screen()->softKeyBar() : nullptr) {
        look.leftSoftText = softKeys->text(ZSoftKey::LEFT);
        look.rightSoftText = softKeys->text(ZSoftKey::RIGHT);
    }
    look.down = keysDown_;
    if (clicked_ >= 0)
        look.down.insert(clicked_);
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    SkinPainter::paint(painter, look);
}

void HandsetSkin::mousePressEvent(QMouseEvent* event) {
    clicked_ = SkinLayout::keyAt(event->position().toPoint());
    update();
}

// A click is a press and release of the key, sent once the mouse button comes up on it: the
// left soft key opens a menu, which would take the button's release for itself.
void HandsetSkin::mouseReleaseEvent(QMouseEvent* event) {
    const int clicked = std::exchange(clicked_, -1);
    update();
    if (clicked >= 0 && clicked == SkinLayout::keyAt(event->position().toPoint()))
        sendKey(clicked);
}

void HandsetSkin::sendKey(int index) {
    const SkinLayout::Key& key = SkinLayout::keys().at(index);
    // The press may run a dialog of its own, during which the screen can go.
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key.qtKey, Qt::NoModifier, key.text);
        if (screen_)
            QCoreApplication::sendEvent(screen_, &event);
    }
}

void HandsetSkin::closeEvent(QCloseEvent* event) {
    event->setAccepted(!screen_ || screen_->close());
}
