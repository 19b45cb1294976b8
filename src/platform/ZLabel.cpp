#include "ZLabel.h"

// Flags and widget class choose looks the emulator does not distinguish.
ZLabel::ZLabel(const QString& text, QWidget* parent, const char* name, int,
               ZSkinService::WidgetClsID)
    : QLabel(text, parent) {
    setObjectName(QString::fromLatin1(name));
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void ZLabel::setText(const QString& text) {
    QLabel::setText(text);
    fitHeight();
}

void ZLabel::setPreferredWidth(int width) {
    setFixedWidth(width);
    fitHeight();
}

void ZLabel::setAutoResize(bool on) {
    autoResize_ = on;
    fitHeight();
}

void ZLabel::fitHeight() {
    if (autoResize_)
        setFixedHeight(heightForWidth(width()));
}
