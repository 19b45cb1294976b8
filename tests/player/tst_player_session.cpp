#include "PlayerSession.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The two pids a child script wrote, once it has written them.
QList<qint64> pidsIn(const QString& path) {
    (void)QTest::qWaitFor([&] { return readFile(path).count('\n') == 2; }, 30000);
    QList<qint64> pids;
    for (const QByteArray& line : readFile(path).trimmed().split('\n'))
        pids << line.toLongLong();
    return pids;
}

bool allGone(const QList<qint64>& pids) {
    return std::none_of(pids.begin(), pids.end(), TestSupport::processAlive);
}

// Deaf to "quit" and to TERM, INT and HUP, reading nothing, with a child of its own: the worst
// player. Writes its own pid and its child's to `pids`.
QString stubbornPlayer(const QString& pids) {
    return QStringLiteral(
               "sh -c 'trap \"\" TERM INT HUP; sleep 1000 & echo $$ $! | tr \" \" \"\\n\" "
               "> %1; while :; do sleep 1; done'")
        .arg(pids);
}

} // namespace

// Real children: the session's players are shell commands.
class PlayerSessionTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // A broken pipe must not be survived only because the test happens to ignore it.
        signal(SIGPIPE, SIG_DFL);
    }

    // The player prints megabytes before it reads anything: only the drain keeps it going, and
    // the commands wait meanwhile without blocking anybody.
    void commandsArriveInOrder() {
        PlayerSession player;
        QVERIFY(player.start(QStringLiteral("sh -c 'head -c 8000000 /dev/zero; cat > %1'")
                                 .arg(path("received"))
                                 .toLocal8Bit()));
        player.send("seek +30\n");
        player.togglePause();
        player.send("seek -30\n");
        player.send("osd\n");
        player.togglePause();
        player.send(QByteArray(1, '\0') + "\xff\r\n");
        QByteArray expected = "seek +30\npause\npausing_keep seek -30\npausing_keep osd\npause\n";
        expected += QByteArray(1, '\0') + "\xff\r\n";
        QTRY_COMPARE_WITH_TIMEOUT(readFile(path("received")), expected, 30000);
    }

    // Thousands of commands to a player that reads none: none blocks, and the end takes the
    // player's child too. (Its end when the program is killed outright: the handset test.)
    void playerThatNeverReads() {
        PlayerSession player;
        QVERIFY(player.start(stubbornPlayer(path("deaf")).toLocal8Bit()));
        const QList<qint64> pids = pidsIn(path("deaf"));
        QCOMPARE(pids.size(), 2);
        for (int i = 0; i < 3000; ++i) {
            player.send("seek +30\n");
            QCoreApplication::processEvents();
        }
        player.end();
        QTRY_VERIFY_WITH_TIMEOUT(allGone(pids), 1000); // killed, though maybe not yet dead
    }

    // Commands to a player that has gone are dropped: no broken pipe, nothing blocks.
    void playerThatExitsAtOnce() {
        PlayerSession player;
        QVERIFY(player.start("/nonexistent/player -slave"));
        QTest::qWait(300);
        for (int i = 0; i < 100; ++i)
            player.send(QByteArray(4000, 'x') + '\n');
        player.end();
        player.end();
    }
};

QTEST_GUILESS_MAIN(PlayerSessionTest)
#include "tst_player_session.moc"
