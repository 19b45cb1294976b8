#include "PlayerSession.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

// The two pids a child script wrote, once it has written them.
QList<qint64> pidsIn(const QString& path) {
    (void)QTest::qWaitFor([&] { return TestSupport::readLog(path).count('\n') == 2; }, 30000);
    QList<qint64> pids;
    for (const QByteArray& line : TestSupport::readLog(path).trimmed().split('\n'))
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
        QTRY_COMPARE_WITH_TIMEOUT(TestSupport::readLog(path("received")), expected, 30000);
    }

    // Thousands of commands, to a player that reads none and to one already gone: none blocks
    // or raises SIGPIPE, and the end takes the player's child too. (Its end when the program is
    // killed outright: the handset test.)
    void commandsNeverBlock_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("never reads, ignores TERM, forks") << stubbornPlayer(path("deaf"));
        QTest::newRow("exits at once") << QStringLiteral("/nonexistent/player -slave");
    }
    void commandsNeverBlock() {
        QFETCH(QString, command);
        PlayerSession player;
        QVERIFY(player.start(command.toLocal8Bit()));
        const QList<qint64> pids =
            command.startsWith("sh") ? pidsIn(path("deaf")) : QList<qint64>();
        QCOMPARE(pids.size(), command.startsWith("sh") ? 2 : 0);
        for (int i = 0; i < 3000; ++i) {
            player.send("seek +30\n");
            QCoreApplication::processEvents();
        }
        player.end();
        QTRY_VERIFY_WITH_TIMEOUT(allGone(pids), 1000); // killed, though maybe not yet dead
    }
};

QTEST_GUILESS_MAIN(PlayerSessionTest)
#include "tst_player_session.moc"
