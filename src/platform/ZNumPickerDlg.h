#pragma once

#include <QDialog>

class ZNumModule;

// A modal number picker shown inside the handset screen. Digits type the number, Return
// accepts, Escape cancels. show() returns once the user has decided; then getNumValue() holds
// the number and wasAccepted() tells a choice from a cancel.
class ZNumPickerDlg : public QDialog {
    Q_OBJECT
public:
    ZNumPickerDlg(int digits, QWidget* parent, const char* name, int flags);
    ~ZNumPickerDlg() override;

    ZNumModule* getNumModule();
    void show();
    int getNumValue() const;
    bool wasAccepted() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void typeDigit(int digit);
    void deleteDigit();
    void showNumber();
    void takeTypedNumber();

    struct Parts;
    Parts* parts_;
};
