#include "Picker.h"

#include "MemoryCard.h"
#include "MyFileDlg.h"
#include "Trace.h"
#include "ZApplication.h"

#include <QTimer>

QString runPicker(QByteArray& chosenBytes, const SelectionRest::Callback& onRest) {
    auto* picker = new MyFileDlg(nullptr, MemoryCard::path());
    if (onRest)
        new SelectionRest(picker, onRest);
    if (auto* app = qobject_cast<ZApplication*>(qApp))
        app->setMainWidget(picker);
    Trace::bare("\nbegin exec");
    picker->exec();
    // The application's loop runs once more for what the picker left queued. Whether it would
    // end by itself depends on where the main widget's closing was seen, so a timer ends it;
    // being local, it can never end a later loop.
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, qApp, &QCoreApplication::quit);
    end.start(0);
    QCoreApplication::exec();
    Trace::bare("\nexec ok");
    const QString choice = picker->chosenPath();
    chosenBytes = picker->chosenPathBytes();
    delete picker;
    return choice;
}
