#pragma once

#include "ZMainWidget.h"

// The keypad-driven main window every handset application derives from.
class ZKbMainWidget : public ZMainWidget {
    Q_OBJECT
public:
    ZKbMainWidget(ZHeader::HEADER_TYPE header, QWidget* parent, const QByteArray& name, int flags);
};
