#pragma once

#include <QDialog>

class QLabel;
class ZSoftKey;

// A message box shown inside the handset screen; Return, Escape or a soft key dismisses it.
class ZMessageDlg : public QDialog {
    Q_OBJECT
public:
    enum MessageDlgType { TypeConfirm = 1, TypeOK = 2 };

    ZMessageDlg(const QString& title, const QString& text, MessageDlgType type, int timeout,
                QWidget* parent, const char* name, bool modal, int flags);
    QString title() const;
    QString text() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ZSoftKey* makeSoftKeys(MessageDlgType type);

    QLabel* title_ = nullptr;
    QLabel* text_ = nullptr;
    ZSoftKey* keys_ = nullptr;
};
