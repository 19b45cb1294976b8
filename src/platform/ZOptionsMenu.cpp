#include "ZOptionsMenu.h"

#include <QIcon>
#include <QPixmap>

// The rectangle, flags and widget class choose looks; the menu sizes itself to its items and the
// soft key places it.
ZOptionsMenu::ZOptionsMenu(const QRect&, QWidget* parent, const char* name, int,
                           ZSkinService::WidgetClsID)
    : QMenu(parent) {
    setObjectName(QString::fromLatin1(name));
}

int ZOptionsMenu::insertItem(const QString& text, ZOptionsMenu* submenu, const QPixmap* pixmap,
                             bool enabled, int id, int index) {
    QAction* action = submenu ? submenu->menuAction() : new QAction(this);
    action->setText(text);
    if (pixmap)
        action->setIcon(QIcon(*pixmap));
    action->setEnabled(enabled);
    action->setData(id);
    const QList<QAction*> present = actions();
    insertAction(index >= 0 && index < present.size() ? present.at(index) : nullptr, action);
    return id;
}

bool ZOptionsMenu::connectItem(int id, const QObject* receiver, const char* member) {
    QAction* action = item(id);
    return action && connect(action, SIGNAL(triggered()), receiver, member);
}

QAction* ZOptionsMenu::item(int id) const {
    for (QAction* action : actions()) {
        if (action->data().isValid() && action->data().toInt() == id)
            return action;
    }
    return nullptr;
}
