#include "FakePlayerDir.h"

#include "TestSupport.h"

#include <QFile>

namespace {

QByteArrayList logLines(const QByteArray& log) {
    return log.split('\n');
}

bool isProbe(const QByteArray& startLine) {
    return startLine.contains(" [-identify]");
}

} // namespace

FakePlayerDir::FakePlayerDir() {
    TestSupport::installFakePlayer(dir_.path());
    qputenv("FAKE_PLAYER_LOG", QFile::encodeName(dir_.filePath("player.log")));
}

FakePlayerDir::~FakePlayerDir() {
    qunsetenv("FAKE_PLAYER_LOG");
}

QByteArrayList FakePlayerDir::startLineWords(const QByteArray& line) {
    QByteArrayList words;
    for (qsizetype open = line.indexOf(" ["); open >= 0; open = line.indexOf(" [", open)) {
        const qsizetype close = line.indexOf("]", open);
        words << line.mid(open + 2, close - open - 2);
        open = close;
    }
    return words;
}

QByteArray FakePlayerDir::appDir() const {
    return QFile::encodeName(dir_.path());
}

QByteArray FakePlayerDir::log() const {
    return TestSupport::readLog(dir_.filePath("player.log"));
}

QByteArrayList FakePlayerDir::probeWords() const {
    for (const QByteArray& line : logLines(log()))
        if (line.startsWith("START ") && isProbe(line))
            return startLineWords(line);
    return {};
}

QByteArray FakePlayerDir::playerStartLine() const {
    for (const QByteArray& line : logLines(log()))
        if (line.startsWith("START ") && !isProbe(line))
            return line;
    return {};
}

QByteArrayList FakePlayerDir::playerWords() const {
    return startLineWords(playerStartLine());
}

qint64 FakePlayerDir::playerPid() const {
    const QByteArray line = playerStartLine();
    return line.isEmpty() ? 0 : line.split(' ').value(1).toLongLong();
}

QByteArrayList FakePlayerDir::received() const {
    QByteArrayList lines;
    for (const QByteArray& line : logLines(log()))
        if (line.startsWith("LINE "))
            lines << line.mid(5);
    return lines;
}

bool FakePlayerDir::writeFile(const QString& name, const QByteArray& text, bool executable) const {
    QFile file(dir_.filePath(name));
    file.remove();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFile::ExeOwner);
}
