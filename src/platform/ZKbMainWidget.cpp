#include "ZKbMainWidget.h"

ZKbMainWidget::ZKbMainWidget(ZHeader::HEADER_TYPE header, QWidget* parent, const QByteArray& name,
                             int flags)
    : ZMainWidget(header, parent, name, flags) {}
