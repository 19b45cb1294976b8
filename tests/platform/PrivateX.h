#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

// A private Xvfb the size of the handset screen, and X tools run on it.
class PrivateX {
public:
    PrivateX() = default;
    ~PrivateX();
    PrivateX(const PrivateX&) = delete;
    PrivateX& operator=(const PrivateX&) = delete;

    bool start();
    QString display() const { return display_; }
    // A tool's standard output, or an empty text when it fails.
    QByteArray run(const QString& tool, const QStringList& args) const;
    QImage screenshot() const {
        return QImage::fromData(run("import", {"-window", "root", "png:-"}));
    }

private:
    QProcess server_;
    QString display_;
};
