#include "ZNumModule.h"

// A plain holder: the picker keeps the number it edits within the bounds.
void ZNumModule::setMaxValue(int value) {
    max_ = value;
}

void ZNumModule::setMinValue(int value) {
    min_ = value;
}

void ZNumModule::setValue(int value) {
    value_ = value;
}
