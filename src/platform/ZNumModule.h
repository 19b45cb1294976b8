#pragma once

#include <QObject>

// The number a ZNumPickerDlg edits, with its bounds. It is not owned by the picker: the caller
// releases the picker, then the module.
class ZNumModule : public QObject {
    Q_OBJECT
public:
    ZNumModule() = default;
    void setMaxValue(int value);
    void setMinValue(int value);
    void setValue(int value);
    int maxValue() const { return max_; }
    int minValue() const { return min_; }
    int value() const { return value_; }

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};
