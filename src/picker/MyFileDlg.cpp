#include "MyFileDlg.h"

#include "HandsetKeys.h"
#include "ListView.h"
#include "ZText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>

namespace {

QByteArray startDirectory(const QString& startPath) {
    const QFileInfo start(startPath);
    if (!start.isDir())
        return QByteArrayLiteral("/");
    return QFile::encodeName(QDir::cleanPath(start.absoluteFilePath()));
}

} // namespace

MyFileDlg::MyFileDlg(QWidget* parent, const QString& startPath)
    : ZKbMainWidget(ZHeader::MAINDISPLAY_HEADER, parent, startPath.toLatin1(), 1),
      dir(startDirectory(startPath)) {
    setMainWidgetTitle(toUtf8Text("打开文件"));
    setFullScreenMode(true, true);
    // Every paint covers the whole screen, so erasing first would only make it flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateCurrent();
}

void MyFileDlg::Select() {
    if (!current)
        return;
    if (current->isDir) {
        dir.cd(current->name);
        showFromTop();
        return;
    }
    selectedBytes = dir.filePath(current->name);
    selectedPath = QFile::decodeName(selectedBytes);
    myCancel();
}

void MyFileDlg::cdUp() {
    dir.cdUp();
    showFromTop();
}

void MyFileDlg::myCancel() {
    close();
}

void MyFileDlg::moveUp() {
    if (dir.count() == 0)
        return;
    selected = selected == 1 ? dir.count() : selected - 1;
    updateCurrent();
    update();
}

void MyFileDlg::moveDown() {
    if (dir.count() == 0)
        return;
    selected = selected == dir.count() ? 1 : selected + 1;
    updateCurrent();
    update();
}

void MyFileDlg::updateCurrent() {
    current = selected >= 1 && selected <= dir.count() ? &dir.at(selected - 1) : nullptr;
    emit selectionMoved();
}

void MyFileDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case HandsetKey::Return:
    case HandsetKey::Right:
        Select();
        break;
    case HandsetKey::Left:
        cdUp();
        break;
    case HandsetKey::Up:
        moveUp();
        break;
    case HandsetKey::Down:
        moveDown();
        break;
    case HandsetKey::F2:
        myCancel();
        break;
    }
    // The plain widget's handler, not the dialog's: Escape must not close the picker behind
    // the list's back.
    QWidget::keyPressEvent(event);
}

void MyFileDlg::paintEvent(QPaintEvent* event) {
    scrollOffset = ListView::followSelection(scrollOffset, selected);
    QPainter(this).drawPixmap(0, 0, ListView::render(dir, selected, scrollOffset));
    QWidget::paintEvent(event);
}

void MyFileDlg::showFromTop() {
    selected = 1;
    updateCurrent();
    update();
}
