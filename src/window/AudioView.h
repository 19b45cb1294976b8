#pragma once

#include <QWidget>

// What plays while a clip without a picture plays: its file name, the time played and the
// clip's length, and a bar of the part played.
class AudioView : public QWidget {
    Q_OBJECT
public:
    AudioView(const QString& name, QWidget* parent);

    void setName(const QString& name);
    void setPosition(double seconds);
    void setLength(double seconds);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
    double position_ = 0;
    double length_ = 0;
};
