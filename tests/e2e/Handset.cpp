#include "Handset.h"

#include "TestSupport.h"

#include <QDir>

bool Handset::start(QString* why) {
    if (!x_.start()) {
        *why = x_.error();
        return false;
    }
    return true;
}

QProcessEnvironment Handset::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", x_.display());
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("VIDLARK_WID");
    return environment;
}

std::unique_ptr<VidlarkRun> Handset::play(const QStringList& args, const QString& programDir,
                                          const QProcessEnvironment& environment) {
    const QString dir = programDir.isEmpty() ? TestSupport::programDir() : programDir;
    auto run =
        std::make_unique<VidlarkRun>(QDir(dir).filePath("vidlark"), args,
                                     environment.isEmpty() ? this->environment() : environment);
    run->waitForOutput("MainWidget setMainWidget ok\n");
    return run;
}

std::unique_ptr<VidlarkRun> Handset::playBytes(const QByteArray& mediaPath,
                                               const QString& programDir) {
    QByteArray escaped;
    for (unsigned char byte : mediaPath)
        escaped += "\\0" + QByteArray::number(byte, 8).rightJustified(3, '0');
    const QString dir = programDir.isEmpty() ? TestSupport::programDir() : programDir;
    // printf rebuilds the exact bytes; the trailing x keeps a final newline from being cut.
    const QString script = QStringLiteral("p=$(printf '%bx' '%1'); exec \"$0\" \"${p%x}\"")
                               .arg(QString::fromLatin1(escaped));
    auto run = std::make_unique<VidlarkRun>(
        "/bin/sh", QStringList{"-c", script, QDir(dir).filePath("vidlark")}, environment());
    run->waitForOutput("MainWidget setMainWidget ok\n");
    return run;
}

QByteArray Handset::focusProgram() {
    const QByteArray window = x_.waitForWindow("^Vidlark$");
    if (!window.isEmpty())
        x_.focus(window);
    return window;
}

void Handset::exitFromMenu() {
    focusProgram();
    x_.key({"F1"});
    x_.key({"Up", "Return"});
}
