#include "AudioView.h"

#include <QPainter>

namespace {

constexpr int kMargin = 12;
constexpr int kBarHeight = 10;

QString clockText(double seconds) {
    const int whole = qMax(0, int(seconds));
    return QStringLiteral("%1:%2:%3")
        .arg(whole / 3600, 2, 10, QLatin1Char('0'))
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

AudioView::AudioView(const QString& name, QWidget* parent) : QWidget(parent), name_(name) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
}

void AudioView::setName(const QString& name) {
    name_ = name;
    update();
}

void AudioView::setPosition(double seconds) {
    position_ = seconds;
    update();
}

void AudioView::setLength(double seconds) {
    length_ = seconds;
    update();
}

void AudioView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect inside = rect().adjusted(kMargin, 0, -kMargin, 0);
    const int middle = height() / 2;
    const QRect nameRow(inside.left(), middle - 60, inside.width(), 40);
    painter.drawText(nameRow, Qt::AlignCenter | Qt::TextWordWrap,
                     painter.fontMetrics().elidedText(name_, Qt::ElideMiddle, 2 * inside.width()));
    const QString times = clockText(position_) + QStringLiteral(" / ") + clockText(length_);
    painter.drawText(QRect(inside.left(), middle - 10, inside.width(), 20), Qt::AlignCenter, times);
    const QRect bar(inside.left(), middle + 20, inside.width(), kBarHeight);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    const double played = length_ > 0 ? qBound(0.0, position_ / length_, 1.0) : 0.0;
    painter.fillRect(
        bar.adjusted(2, 2, -2, -2).adjusted(0, 0, int(-(1 - played) * (bar.width() - 4)), 0),
        palette().color(QPalette::WindowText));
}
