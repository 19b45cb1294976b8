#include "PlayerSession.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

bool allGone(const QList<qint64>& pids) {
    return std::none_of(pids.begin(), pids.end(), TestSupport::processAlive);
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
        QVERIFY(player.start(QStringLiteral("sh -c \"head -c 8000000 /dev/zero; cat > %1\"")
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
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("never reads, ignores TERM, forks")
            << QFile::encodeName(TestSupport::fakePlayer());
        QTest::newRow("exits at once") << QByteArray("/nonexistent/player -slave");
    }
    void commandsNeverBlock() {
        QFETCH(QByteArray, command);
        const QString log = path(QTest::currentDataTag());
        qputenv("FAKE_PLAYER_DEAF", "1");
        qputenv("FAKE_PLAYER_LOG", QFile::encodeName(log));
        PlayerSession player;
        QVERIFY(player.start(command));
        QList<qint64> pids;
        if (!command.startsWith("/nonexistent")) {
            QTRY_VERIFY_WITH_TIMEOUT(!TestSupport::logged(log, "CHILD").isEmpty(), 30000);
            for (const char* tag : {"START", "CHILD"})
                pids << TestSupport::logged(log, tag)[0].split(' ')[0].toLongLong();
        }
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
