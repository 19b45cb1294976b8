#include "Handset.h"

#include "TestSupport.h"

#include <QDir>

QProcessEnvironment Handset::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("VIDLARK_WID");
    return environment;
}

// Through the shell, as words cannot carry bytes that are not UTF-8: printf rebuilds the exact
// bytes, and the trailing x keeps a final newline from being cut.
std::unique_ptr<VidlarkRun> Handset::play(const QByteArray& mediaPath, const QStringList& options,
                                          const QString& programDir,
                                          const QProcessEnvironment& environment) {
    QByteArray escaped;
    for (unsigned char byte : mediaPath)
        escaped += "\\0" + QByteArray::number(byte, 8).rightJustified(3, '0');
    const QString script = QStringLiteral("p=$(printf '%bx' '%1'); exec \"$0\" \"$@\" \"${p%x}\"")
                               .arg(QString::fromLatin1(escaped));
    const QString dir = programDir.isEmpty() ? TestSupport::programDir() : programDir;
    auto run = std::make_unique<VidlarkRun>(
        "/bin/sh", QStringList{"-c", script, QDir(dir).filePath("vidlark")} + options,
        environment.isEmpty() ? this->environment() : environment);
    run->waitForOutput("MainWidget setMainWidget ok\n");
    return run;
}

QByteArray Handset::focusProgram() {
    const QByteArray window = waitForWindow("^Vidlark$");
    if (!window.isEmpty())
        focus(window);
    return window;
}

void Handset::exitFromMenu() {
    focusProgram();
    key({"F1"});
    key({"Up", "Return"});
}
