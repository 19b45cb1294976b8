#pragma once

#include "DirListing.h"
#include "ZKbMainWidget.h"

#include <QString>

// The full-screen file picker: one directory at a time, a selection bar moved with the
// keypad, directories entered and left, a file chosen. It draws the list itself.
class MyFileDlg : public ZKbMainWidget {
    Q_OBJECT
public:
    // Starts on startPath, or on "/" when that is not a directory.
    MyFileDlg(QWidget* parent, const QString& startPath);

    // The chosen file's absolute path, or "USER_CANCEL" while none has been chosen.
    const QString& chosenPath() const { return selectedPath; }
    // The chosen path as the file system spells it, which text cannot hold when the name is not
    // UTF-8; empty while none has been chosen.
    const QByteArray& chosenPathBytes() const { return selectedBytes; }
    const DirListing& listing() const { return dir; }
    // The entry under the selection bar; null when the list is empty.
    const DirEntry* currentEntry() const { return current; }
    // Counted from 1.
    int selectedRow() const { return selected; }
    // The page row at the top of the screen; it catches up with the selection when painted.
    int scrollPosition() const { return scrollOffset; }

signals:
    // The selection bar is on another entry, or the list changed under it.
    void selectionMoved();

public slots:
    void Select();
    void cdUp();
    void myCancel();

public:
    // Both wrap around at the ends of the list.
    void moveUp();
    void moveDown();
    void updateCurrent();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showFromTop();

    DirListing dir;
    QString selectedPath = QStringLiteral("USER_CANCEL");
    QByteArray selectedBytes;
    const DirEntry* current = nullptr;
    int scrollOffset = 0;
    int selected = 1;
};
