#include "ZSoftKey.h"

#include "HandsetScreen.h"
#include "ScreenPlacement.h"
#include "ZOptionsMenu.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

struct ZSoftKey::Key {
    QLabel* label = nullptr;
    QPointer<ZOptionsMenu> menu;
    QMetaObject::Connection slot;
};

namespace {

QLabel* makeKeyLabel(QWidget* bar, Qt::Alignment alignment) {
    auto* label = new QLabel(bar);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

// The receiver is where the toolkit sends notices the emulator has none of; slots are given
// per key with setClickedSlot. A non-null text labels the left key.
ZSoftKey::ZSoftKey(const char* text, QWidget* parent, QObject*)
    : QWidget(parent), keys_(new Key[2]) {
    setObjectName(QStringLiteral("softKeyBar"));
    setFixedHeight(HandsetScreen::kSoftKeyHeight);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("background: #2b2b2b; color: white;"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 0);
    keys_[LEFT].label = makeKeyLabel(this, Qt::AlignLeft);
    keys_[RIGHT].label = makeKeyLabel(this, Qt::AlignRight);
    layout->addWidget(keys_[LEFT].label);
    layout->addWidget(keys_[RIGHT].label);
    if (text)
        keys_[LEFT].label->setText(QString::fromUtf8(text));
}

ZSoftKey::~ZSoftKey() {
    delete[] keys_;
}

void ZSoftKey::setText(KEY_IDX index, const QString& text, TEXT_PRIORITY) {
    keys_[index].label->setText(text);
    emit textChanged();
}

QString ZSoftKey::text(KEY_IDX index) const {
    return keys_[index].label->text();
}

void ZSoftKey::setOptMenu(KEY_IDX index, ZOptionsMenu* menu) {
    keys_[index].menu = menu;
}

ZOptionsMenu* ZSoftKey::optMenu(KEY_IDX index) const {
    return keys_[index].menu;
}

void ZSoftKey::setClickedSlot(KEY_IDX index, QObject* receiver, const char* member) {
    disconnect(keys_[index].slot);
    const char* signal = index == LEFT ? SIGNAL(leftClicked()) : SIGNAL(rightClicked());
    keys_[index].slot = connect(this, signal, receiver, member);
}

void ZSoftKey::press(KEY_IDX index) {
    if (keys_[index].menu)
        openMenu(keys_[index].menu);
    if (index == LEFT)
        emit leftClicked();
    else
        emit rightClicked();
}

void ZSoftKey::mousePressEvent(QMouseEvent* event) {
    press(event->position().x() < width() / 2 ? LEFT : RIGHT);
}

// The menu rises from the soft-key bar at the bottom of the screen, hidden or not, and never
// leaves the screen.
void ZSoftKey::openMenu(ZOptionsMenu* menu) {
    const QRect screen = ScreenPlacement::rectFor(this);
    if (screen.isNull())
        return;
    menu->setMaximumWidth(screen.width());
    const QSize size = menu->sizeHint().boundedTo(screen.size());
    const int barTop = screen.bottom() + 1 - HandsetScreen::kSoftKeyHeight;
    const int top = qMax(screen.top(), barTop - size.height());
    menu->popup(QPoint(screen.left(), top));
    // Handset menus open on their first item, so Down then Return picks the second.
    for (QAction* action : menu->actions()) {
        if (action->isEnabled() && action->isVisible() && !action->isSeparator()) {
            menu->setActiveAction(action);
            break;
        }
    }
}
