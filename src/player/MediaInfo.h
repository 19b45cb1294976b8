#pragma once

#include <QByteArray>

// A clip's properties, as the player's identify mode reports them (see MediaProbe).
class MediaInfo {
public:
    // Identify output is applied in pieces of at most kPieceBytes - 1 bytes, and a text value
    // never holds more than one piece's worth.
    static constexpr int kPieceBytes = 80;

    // The initial values, before any identify output; also those of a failed probe.
    MediaInfo() = default;

    int width() const { return width_; }
    int height() const { return height_; }
    QByteArray length() const { return length_; }
    int bitrate() const { return bitrate_; }
    QByteArray fps() const { return fps_; }
    QByteArray demuxer() const { return demuxer_; }
    // A clip with a sound stream and no picture: the player reported an audio stream
    // ("ID_AUDIO_ID=") and no video stream ("ID_VIDEO_ID=").
    bool isAudioOnly() const { return hasAudio_ && !hasVideo_; }

    // Applies one piece of identify output.
    void parseLine(const QByteArray& line);

private:
    int width_ = 0;
    int height_ = 0;
    QByteArray length_ = "0.0";
    int bitrate_ = 0;
    QByteArray fps_ = "0.0";
    QByteArray demuxer_ = "unknow";
    bool hasVideo_ = false;
    bool hasAudio_ = false;
};
