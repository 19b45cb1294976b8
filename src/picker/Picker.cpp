#include "Picker.h"

#include "MemoryCard.h"
#include "MyFileDlg.h"
#include "ZApplication.h"

#include <QTimer>
#include <cstdio>

QString runPicker(QByteArray& chosenBytes, const SelectionRest::Callback& onRest) {
    auto* picker = new MyFileDlg(nullptr, MemoryCard::path());
    if (onRest)
        new SelectionRest(picker, onRest);
    if (auto* app = qobject_cast<ZApplication*>(qApp))
        app->setMainWidget(picker);
    std::fputs("\nbegin exec", stdout);
    picker->exec();
    // The application's loop runs once more for what the picker left queued. Whether it would
    // end by itself depends on where the main widget's closing was seen, so a timer ends it;
    // being local, it can never end a later loop.
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, qApp, &QCoreApplication::quit);
    end.start(0);
    QCoreApplication::exec();
    std::fputs("\nexec ok", stdout);
    const QString choice = picker->chosenPath();
    chosenBytes = picker->chosenPathBytes();
    delete picker;
    return choice;
}
