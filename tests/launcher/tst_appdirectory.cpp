#include "AppDirectory.h"

#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

class AppDirectoryTest : public QObject {
    Q_OBJECT
private slots:
    void directoryOfLinkTarget_data();
    void directoryOfLinkTarget();
    void unreadableLinkGivesNone();
};

void AppDirectoryTest::directoryOfLinkTarget_data() {
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<std::optional<QByteArray>>("expected");
    const QByteArray longest = '/' + QByteArray(1017, 'd') + "/exe"; // 1022 bytes
    QTest::newRow("program directory")
        << QByteArray("/opt/vidlark/vidlark") << std::optional<QByteArray>("/opt/vidlark");
    QTest::newRow("file in the root") << QByteArray("/vidlark") << std::optional<QByteArray>("/");
    QTest::newRow("1024 bytes") << longest + "xy"
                                << std::optional<QByteArray>('/' + QByteArray(1017, 'd'));
    QTest::newRow("4000 bytes") << '/' + QByteArray(3994, 'e') + "/exe"
                                << std::optional<QByteArray>('/' + QByteArray(3994, 'e'));
}

void AppDirectoryTest::directoryOfLinkTarget() {
    QFETCH(QByteArray, target);
    QFETCH(std::optional<QByteArray>, expected);
    QTemporaryDir dir;
    const QByteArray link = QFile::encodeName(dir.filePath("exe"));
    QCOMPARE(symlink(target.constData(), link.constData()), 0);
    QCOMPARE(appDirectory(link.constData()), expected);
}

void AppDirectoryTest::unreadableLinkGivesNone() {
    QCOMPARE(appDirectory("/nonexistent/exe"), std::optional<QByteArray>());
    QVERIFY(appDirectory()->endsWith("/tests/launcher"));
}

QTEST_APPLESS_MAIN(AppDirectoryTest)
#include "tst_appdirectory.moc"
