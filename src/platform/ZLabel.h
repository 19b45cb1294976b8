#pragma once

#include "ZOptionsMenu.h"
#include <QLabel>

class ZLabel : public QLabel {
    Q_OBJECT
public:
    ZLabel(const QString& text, QWidget* parent, const char* name, int flags,
           ZSkinService::WidgetClsID cls);
    // Also fits the height to the new text when auto-resizing.
    void setText(const QString& text);
    void setPreferredWidth(int width);
    // With auto-resize on the label takes the height its text needs at the preferred width.
    void setAutoResize(bool on);

private:
    void fitHeight();

    bool autoResize_ = false;
};
