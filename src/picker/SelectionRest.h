#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>

class MyFileDlg;

// Tells whoever wants to prepare for a choice which file the picker's selection rests on: once
// the selection has stayed on a file for kRestMs, the file's absolute path, in the bytes the
// picker would hand back when it is chosen, goes to the callback. A selection passing over rows
// says nothing.
class SelectionRest : public QObject {
public:
    using Callback = std::function<void(const QByteArray& path)>;

    // Key repeat moves the selection every 30-50 ms, and a user takes longer than this to press
    // Return on a row just reached.
    static constexpr int kRestMs = 100;

    SelectionRest(MyFileDlg* picker, Callback callback);

private:
    void rested();

    MyFileDlg* picker_;
    Callback callback_;
    QTimer rest_;
};
