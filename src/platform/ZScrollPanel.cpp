#include "ZScrollPanel.h"

#include <QEvent>

// Flags and widget class choose looks the emulator does not distinguish.
ZScrollPanel::ZScrollPanel(QWidget* parent, const char* name, int, ZSkinService::WidgetClsID)
    : QScrollArea(parent) {
    setObjectName(QString::fromLatin1(name));
    // Keys belong to the handset window; a focused scroll area would eat the arrows.
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* inner = new QWidget;
    inner->setFocusPolicy(Qt::NoFocus);
    setWidget(inner);
}

void ZScrollPanel::addChild(QWidget* child, int x, int y) {
    child->setParent(widget());
    child->move(x, y);
    child->installEventFilter(this);
    child->show();
    fitContents();
}

bool ZScrollPanel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        fitContents();
        break;
    default:
        break;
    }
    return QScrollArea::eventFilter(watched, event);
}

// The inner widget reaches just past the lowest child, so the panel scrolls exactly that far.
void ZScrollPanel::fitContents() {
    const QRect children = widget()->childrenRect();
    widget()->resize(qMax(viewport()->width(), children.right() + 1), children.bottom() + 1);
}
