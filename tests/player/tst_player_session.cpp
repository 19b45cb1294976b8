#include "PlayerSession.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

bool allGone(const QList<qint64>& pids) {
    return std::none_of(pids.begin(), pids.end(), TestSupport::processAlive);
}

CommandWords wordsOf(const QByteArrayList& arguments) {
    CommandWords words;
    for (const QByteArray& argument : arguments)
        words << CommandWord{argument};
    return words;
}

} // namespace

// Real children.
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

    // The player prints megabytes before it reads anything: only reading its output keeps it
    // going, and the commands wait meanwhile without blocking anybody.
    void commandsArriveInOrder() {
        PlayerSession player;
        const QByteArray script =
            "head -c 8000000 /dev/zero; cat > " + QFile::encodeName(path("received"));
        QVERIFY(player.start(wordsOf({"sh", "-c", script})));
        const QByteArray lines =
            "seek +30\npause\npausing_keep osd\n" + QByteArray(1, '\0') + "\xff\r\n";
        for (const QByteArray& line : lines.split('\n').mid(0, 4))
            player.send(line + '\n');
        QTRY_COMPARE_WITH_TIMEOUT(TestSupport::readLog(path("received")), lines, 30000);
    }

    // A child that cannot be executed is known at once; thousands of commands, to a player that
    // reads none and to one already gone, neither block nor raise SIGPIPE; the end takes the
    // player's own child too. (Its end when the program is killed outright: the handset test.)
    void children_data() {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<int>("startError");
        QVERIFY(TestSupport::writeFile(path("not-executable"), "#!/bin/sh\n"));
        QTest::newRow("never reads, ignores TERM, forks")
            << QFile::encodeName(TestSupport::fakePlayer()) << 0;
        QTest::newRow("exits at once") << QByteArray("/bin/true") << 0;
        QTest::newRow("missing") << QByteArray("/nonexistent/player") << ENOENT;
        QTest::newRow("not executable") << QFile::encodeName(path("not-executable")) << EACCES;
    }
    void children() {
        QFETCH(QByteArray, program);
        QFETCH(int, startError);
        const QString log = path(QTest::currentDataTag());
        qputenv("FAKE_PLAYER_DEAF", "1");
        qputenv("FAKE_PLAYER_LOG", QFile::encodeName(log));
        PlayerSession player;
        QCOMPARE(player.start(wordsOf({program, "-slave"})), startError == 0);
        QCOMPARE(player.startError(), startError);
        QList<qint64> pids;
        if (program == QFile::encodeName(TestSupport::fakePlayer())) {
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
