#include "SelectionRest.h"

#include "MyFileDlg.h"

SelectionRest::SelectionRest(MyFileDlg* picker, Callback callback)
    : QObject(picker), picker_(picker), callback_(std::move(callback)) {
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    connect(&rest_, &QTimer::timeout, this, &SelectionRest::rested);
    connect(picker, &MyFileDlg::selectionMoved, &rest_, qOverload<>(&QTimer::start));
    rest_.start();
}

void SelectionRest::rested() {
    const DirEntry* entry = picker_->currentEntry();
    if (entry && !entry->isDir)
        callback_(picker_->listing().filePath(entry->name));
}
