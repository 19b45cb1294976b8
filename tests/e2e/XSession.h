#pragma once

#include <QImage>
#include <QProcess>

// A private X server (Xvfb), the handset screen's size unless told otherwise, made this process's
// display; and the X tools a person would use on it: xdotool for keys and focus, ImageMagick's
// import for shots.
class XSession {
public:
    ~XSession() { stop(); }
    // Starts the server; false (with the reason in error()) when Xvfb cannot run here.
    bool start(int width = 240, int height = 320);
    QString error() const { return error_; }
    QString display() const { return qEnvironmentVariable("DISPLAY"); }

    // Runs an X client tool on this display; its standard output, or an empty text on failure.
    QByteArray run(const QString& tool, const QStringList& args) const;
    // The first visible window whose name matches, as decimal id text; empty when none shows up.
    QByteArray waitForWindow(const QString& name) const;
    void focus(const QByteArray& window) const {
        run("xdotool", {"windowfocus", "--sync", window});
    }
    // Presses and releases keys (xdotool key names) on the focused window.
    void key(const QStringList& keys) const {
        run("xdotool", QStringList{"key", "--delay", "60"} + keys);
    }
    // Asks the window to close the way a window manager does: a WM_DELETE_WINDOW message.
    void requestClose(const QByteArray& window) const;
    QImage screenshot() const {
        return QImage::fromData(run("import", {"-window", "root", "png:-"}), "PNG");
    }

private:
    bool startServer(int width, int height);
    void stop();

    QProcess server_;
    QString error_;
};
