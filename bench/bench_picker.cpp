// Picker figures on one directory: time to list it and paint the first screen, time per move
// of the selection with its repaint, and the process's peak memory.
//
//   bench_picker DIR [MOVES]
#include "HandsetSkin.h"
#include "MyFileDlg.h"
#include "ZApplication.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double msSince(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

void paintScreen(MyFileDlg& picker, QImage& screen) {
    QPainter painter(&screen);
    picker.render(&painter);
}

double timedMove(MyFileDlg& picker, QImage& screen, void (MyFileDlg::*move)()) {
    QElapsedTimer timer;
    timer.start();
    (picker.*move)();
    paintScreen(picker, screen);
    return msSince(timer);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QByteArray peakMemory() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return "?";
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).simplified();
    return "?";
}

} // namespace

int main(int argc, char** argv) {
    ZApplication app(argc, argv);
    HandsetSkin::install();
    if (argc < 2) {
        std::fputs("usage: bench_picker DIR [MOVES]\n", stderr);
        return 2;
    }
    const int moves = argc > 2 ? std::max(1, atoi(argv[2])) : 300;

    QElapsedTimer timer;
    timer.start();
    MyFileDlg picker(nullptr, QFile::decodeName(argv[1]));
    const double constructed = msSince(timer);
    QImage screen(picker.size(), QImage::Format_RGB32);
    paintScreen(picker, screen);
    const double firstScreen = msSince(timer);

    std::vector<double> times;
    for (int i = 0; i < moves; ++i)
        times.push_back(timedMove(picker, screen, &MyFileDlg::moveDown));
    for (int i = 0; i < moves; ++i)
        times.push_back(timedMove(picker, screen, &MyFileDlg::moveUp));
    const double wrap = timedMove(picker, screen, &MyFileDlg::moveUp);

    std::printf("entries listed:              %d\n", picker.listing().count());
    std::printf("first screen:                %.1f ms (listing and window %.1f ms)\n", firstScreen,
                constructed);
    std::printf("move with repaint:           median %.3f ms, worst %.3f ms over %zu moves\n",
                median(times), *std::max_element(times.begin(), times.end()), times.size());
    std::printf("wrap to the last row:        %.3f ms\n", wrap);
    std::printf("peak memory (VmHWM):         %s\n", peakMemory().constData());
    return 0;
}
