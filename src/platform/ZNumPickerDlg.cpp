#include "ZNumPickerDlg.h"

#include "ScreenPlacement.h"
#include "ZNumModule.h"
#include "ZSoftKey.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 200;
// More digits than an int holds would overflow while typing.
constexpr int kMostDigits = 9;

} // namespace

struct ZNumPickerDlg::Parts {
    // The caller releases the module after the picker; the picker never releases it, and it
    // notices if the module went first.
    QPointer<ZNumModule> module;
    QLabel* number = nullptr;
    ZSoftKey* keys = nullptr;
    QString typed;
    int digits = kMostDigits;
    int value = 0;
    bool accepted = false;
};

// Flags choose looks only.
ZNumPickerDlg::ZNumPickerDlg(int digits, QWidget* parent, const char* name, int)
    : QDialog(parent), parts_(new Parts) {
    setObjectName(QString::fromLatin1(name));
    setModal(true);
    setFixedWidth(kWidth);
    parts_->module = new ZNumModule;
    parts_->digits = qBound(1, digits, kMostDigits);
    parts_->number = new QLabel(this);
    parts_->number->setObjectName(QStringLiteral("number"));
    parts_->number->setAlignment(Qt::AlignCenter);
    parts_->number->setStyleSheet(QStringLiteral("font-size: 28px; padding: 12px;"));
    parts_->keys = new ZSoftKey(nullptr, this, this);
    parts_->keys->setText(ZSoftKey::LEFT, tr("OK"));
    parts_->keys->setClickedSlot(ZSoftKey::LEFT, this, SLOT(accept()));
    parts_->keys->setText(ZSoftKey::RIGHT, tr("Cancel"));
    parts_->keys->setClickedSlot(ZSoftKey::RIGHT, this, SLOT(reject()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(parts_->number);
    layout->addWidget(parts_->keys);
}

ZNumPickerDlg::~ZNumPickerDlg() {
    delete parts_;
}

ZNumModule* ZNumPickerDlg::getNumModule() {
    return parts_->module;
}

void ZNumPickerDlg::show() {
    parts_->accepted = false;
    if (!parts_->module)
        return;
    parts_->value = parts_->module->value();
    parts_->typed.clear();
    showNumber();
    parts_->accepted = exec() == Accepted && parts_->module;
    if (parts_->accepted)
        takeTypedNumber();
}

// Nothing typed keeps the module's number. Bounds set the wrong way round are not asserted on:
// the lower one wins.
void ZNumPickerDlg::takeTypedNumber() {
    ZNumModule* module = parts_->module;
    if (!parts_->typed.isEmpty())
        parts_->value = qMax(module->minValue(), qMin(parts_->typed.toInt(), module->maxValue()));
    module->setValue(parts_->value);
}

int ZNumPickerDlg::getNumValue() const {
    return parts_->value;
}

bool ZNumPickerDlg::wasAccepted() const {
    return parts_->accepted;
}

void ZNumPickerDlg::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        typeDigit(key - Qt::Key_0);
    else if (key == Qt::Key_Backspace || key == Qt::Key_Left)
        deleteDigit();
    else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F1)
        parts_->keys->press(ZSoftKey::LEFT);
    else if (key == Qt::Key_Escape || key == Qt::Key_F2)
        parts_->keys->press(ZSoftKey::RIGHT);
    else
        event->ignore();
}

void ZNumPickerDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ScreenPlacement::centerInside(this, parentWidget());
}

// A number that already exceeds the upper bound cannot come back into range with more digits,
// so it is held at the bound as typed; the lower bound applies when the number is taken.
void ZNumPickerDlg::typeDigit(int digit) {
    if (parts_->typed.size() >= parts_->digits || !parts_->module)
        return;
    const int typed = parts_->typed.toInt() * 10 + digit;
    parts_->typed = QString::number(qMin(typed, parts_->module->maxValue()));
    showNumber();
}

void ZNumPickerDlg::deleteDigit() {
    parts_->typed.chop(1);
    showNumber();
}

void ZNumPickerDlg::showNumber() {
    parts_->number->setText(parts_->typed.isEmpty() ? QString::number(parts_->value)
                                                    : parts_->typed);
}
