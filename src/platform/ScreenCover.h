#pragma once

#include <QWidget>

// A black native child window over the whole handset screen.
//
// It is native because nothing else can lie above native siblings: once one child of a window
// is native, Qt makes all its siblings native too, and an ordinary widget then draws beneath
// them.
class ScreenCover : public QWidget {
    Q_OBJECT
public:
    ScreenCover(QWidget* screen, const QString& name);

    // Shown, it lies above every sibling.
    void setShown(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;
};
