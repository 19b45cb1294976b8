#pragma once

#include <QByteArray>

// A clip's properties, probed once by running the player in identify mode.
class MediaInfo {
public:
    // The initial values, before any identify output.
    MediaInfo() = default;
    // Runs the probe; returns once the player has ended.
    MediaInfo(const QByteArray& mediaPath, const QByteArray& probeProgram);

    int width() const { return width_; }
    int height() const { return height_; }
    QByteArray length() const { return length_; }
    int bitrate() const { return bitrate_; }
    QByteArray fps() const { return fps_; }
    QByteArray demuxer() const { return demuxer_; }

    // Applies one piece of identify output.
    void parseLine(const QByteArray& line);

    static QByteArray probeCommand(const QByteArray& mediaPath, const QByteArray& probeProgram);

private:
    void probe(const QByteArray& mediaPath, const QByteArray& probeProgram);

    int width_ = 0;
    int height_ = 0;
    QByteArray length_ = "0.0";
    int bitrate_ = 0;
    QByteArray fps_ = "0.0";
    QByteArray demuxer_ = "unknow";
};
