#pragma once

#include "ZKbMainWidget.h"

#include <QKeyEvent>
#include <QList>

// A handset window that remembers the key codes handed to its key handlers.
class RecordingWindow : public ZKbMainWidget {
    Q_OBJECT
public:
    RecordingWindow() : ZKbMainWidget(ZHeader::MAINDISPLAY_HEADER, nullptr, "recording", 1) {}

    QList<int> pressed;
    QList<int> released;

protected:
    void keyPressEvent(QKeyEvent* event) override { pressed.append(event->key()); }
    void keyReleaseEvent(QKeyEvent* event) override { released.append(event->key()); }
};

// Counts the calls of the slots menus and soft keys are connected to.
class SlotCounter : public QObject {
    Q_OBJECT
public:
    int first = 0;
    int second = 0;
    int right = 0;

public slots:
    void onFirst() { ++first; }
    void onSecond() { ++second; }
    void onRight() { ++right; }
};
