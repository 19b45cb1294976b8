#pragma once

#include "ZOptionsMenu.h"
#include <QScrollArea>

// A scrolling content panel; addChild places a widget at a fixed position inside it.
class ZScrollPanel : public QScrollArea {
    Q_OBJECT
public:
    ZScrollPanel(QWidget* parent, const char* name, int flags, ZSkinService::WidgetClsID cls);
    void addChild(QWidget* child, int x, int y);

protected:
    // Follows the children's size, so a label that grows keeps its whole text reachable.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitContents();
};
