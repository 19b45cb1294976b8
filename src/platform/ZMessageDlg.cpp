#include "ZMessageDlg.h"

#include "ScreenPlacement.h"
#include "ZSoftKey.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 220;

QLabel* makeLabel(const QString& text, QWidget* parent, const char* name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

// Messages stay until the user dismisses them: the timeout is not emulated. Flags choose looks.
ZMessageDlg::ZMessageDlg(const QString& title, const QString& text, MessageDlgType type, int,
                         QWidget* parent, const char* name, bool modal, int)
    : QDialog(parent) {
    setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(title);
    setFixedWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    title_ = makeLabel(title, this, "messageTitle");
    title_->setStyleSheet(QStringLiteral("background: #1d3b62; color: white; padding: 4px;"));
    text_ = makeLabel(text, this, "messageText");
    text_->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(title_);
    layout->addWidget(text_, 1);
    layout->addWidget(makeSoftKeys(type));
}

ZSoftKey* ZMessageDlg::makeSoftKeys(MessageDlgType type) {
    keys_ = new ZSoftKey(nullptr, this, this);
    if (type == TypeConfirm) {
        keys_->setText(ZSoftKey::LEFT, tr("Yes"));
        keys_->setClickedSlot(ZSoftKey::LEFT, this, SLOT(accept()));
        keys_->setText(ZSoftKey::RIGHT, tr("No"));
        keys_->setClickedSlot(ZSoftKey::RIGHT, this, SLOT(reject()));
    } else {
        // Either key dismisses a plain message; only the right one is labelled.
        keys_->setText(ZSoftKey::RIGHT, tr("OK"));
        keys_->setClickedSlot(ZSoftKey::LEFT, this, SLOT(accept()));
        keys_->setClickedSlot(ZSoftKey::RIGHT, this, SLOT(accept()));
    }
    return keys_;
}

QString ZMessageDlg::title() const {
    return title_->text();
}

QString ZMessageDlg::text() const {
    return text_->text();
}

void ZMessageDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        break;
    case Qt::Key_Escape:
        reject();
        break;
    case Qt::Key_F1:
        keys_->press(ZSoftKey::LEFT);
        break;
    case Qt::Key_F2:
        keys_->press(ZSoftKey::RIGHT);
        break;
    default:
        event->ignore();
    }
}

void ZMessageDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ScreenPlacement::centerInside(this, parentWidget());
}
