#pragma once

#include <QSet>
#include <QString>

class QPainter;

// Draws the handset around its screen, every key labelled with the desktop key that stands
// for it; keys held down look pressed. The screen area itself is left to the window in it.
namespace SkinPainter {

struct Look {
    QString leftSoftText;
    QString rightSoftText;
    // Indexes into SkinLayout::keys().
    QSet<int> down;
};

void paint(QPainter& painter, const Look& look);

} // namespace SkinPainter
