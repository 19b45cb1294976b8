#pragma once

#include <QMenu>
#include <QRect>

namespace ZSkinService {
enum WidgetClsID { clsZOptionsMenu = 2, clsZScrollPanel = 4, clsZLabel = 4 };
}

// The options menu a left soft key opens. Items are identified by id; choosing one calls the
// slot connected to its id (by signature text). Works from the keypad: arrows, Return, Escape.
class ZOptionsMenu : public QMenu {
    Q_OBJECT
public:
    ZOptionsMenu(const QRect& rect, QWidget* parent, const char* name, int flags,
                 ZSkinService::WidgetClsID cls);

    // index -1 appends.
    int insertItem(const QString& text, ZOptionsMenu* submenu, const QPixmap* pixmap, bool enabled,
                   int id, int index);
    bool connectItem(int id, const QObject* receiver, const char* member);
    QAction* item(int id) const;
};
