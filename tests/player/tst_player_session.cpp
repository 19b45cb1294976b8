#include "PlayerSession.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

CommandWords wordsOf(const QByteArrayList& arguments) {
    CommandWords words;
    for (const QByteArray& argument : arguments)
        words << CommandWord{argument};
    return words;
}

} // namespace

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

    // What the player says, as canned output, and what the session makes of it. Silence, and
    // answers that tell no end, leave the clip current however long they last.
    void listens_data() {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("then");
        QTest::addColumn<QStringList>("heard");
        const QByteArray readOn = "cat >/dev/null";
        QTest::newRow("silent player") << QByteArray() << readOn << QStringList();
        QTest::newRow("played to the end")
            << QByteArray(
                   "ANS_path=/a.avi\nANS_TIME_POSITION=2.5\rANS_LENGTH=3.00\n\n\nANS_path=(null)\n"
                   "ANS_path=(null)\n")
            << readOn << QStringList{"position 2.5", "length 3", "ended"};
        QTest::newRow("file not found")
            << QByteArray("File not found: 'x.avi'\nFailed to open x.avi.\nANS_path=(null)\n")
            << readOn << QStringList{"failed NotFound"};
        QTest::newRow("nothing opened") << QByteArray(5000, 'x') + "\nANS_path=(null)\n"
                                        << readOn << QStringList{"failed NotPlayable"};
        QTest::newRow("quit at once")
            << QByteArray() << QByteArray("exit 0") << QStringList{"failed PlayerQuit"};
        QTest::newRow("crashed while playing")
            << QByteArray("ANS_path=/a.avi\n") << QByteArray("kill -SEGV $$")
            << QStringList{"ended"};
    }
    void listens() {
        QFETCH(QByteArray, output);
        QFETCH(QByteArray, then);
        PlayerSession player;
        QStringList heard;
        connect(&player, &PlayerSession::positionChanged, this,
                [&](double s) { heard << "position " + QString::number(s); });
        connect(&player, &PlayerSession::lengthKnown, this,
                [&](double s) { heard << "length " + QString::number(s); });
        connect(&player, &PlayerSession::ended, this, [&] { heard << "ended"; });
        connect(&player, &PlayerSession::failed, this, [&](PlayerSession::Failure why) {
            heard << "failed " + QString(QMetaEnum::fromType<PlayerSession::Failure>().valueToKey(
                                     int(why)));
        });
        QVERIFY(player.start(wordsOf({"sh", "-c", "printf '%s' \"$0\"; " + then, output})));
        QTest::qWait(2 * PlayerSession::kQueryIntervalMs + 500);
        QTEST(heard, "heard");
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
        QTRY_VERIFY_WITH_TIMEOUT(std::none_of(pids.begin(), pids.end(), TestSupport::processAlive),
                                 1000); // killed, though maybe not yet dead
    }
};

QTEST_GUILESS_MAIN(PlayerSessionTest)
#include "tst_player_session.moc"
