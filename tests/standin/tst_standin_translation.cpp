#include "Translation.h"

#include <QtTest>

namespace {

std::vector<std::string> words(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& word : list)
        out.push_back(word.toStdString());
    return out;
}

QStringList list(const std::vector<std::string>& words) {
    QStringList out;
    for (const std::string& word : words)
        out += QString::fromStdString(word);
    return out;
}

const QStringList kIdentify{"-identify", "/c/a.avi", "-nosound", "-vc", "dummy", "-vo", "null"};
const QStringList kIdentified{"-identify", "/c/a.avi", "-nosound", "-vc", "null",
                              "-frames",   "0",        "-vo",      "null"};
const QStringList kPlay{"-slave", "-quiet", "-vf",     "rotate=2,crop=240:320", "-subrotate", "2",
                        "-idle",  "-menu",  "/c/a.avi"};
const QStringList kPlayed{"-slave", "-quiet", "-vf",     "rotate=2,crop=240:320",
                          "-idle",  "-menu",  "/c/a.avi"};

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    void translates_data();
    void translates();
};

void TranslationTest::translates_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("identify, no display") << kIdentify << ""
                                          << "" << kIdentified;
    QTest::newRow("identify, display and window") << kIdentify << ":1"
                                                  << "4194311" << kIdentified;
    QTest::newRow("identify without -vo, no display")
        << QStringList{"-identify", "a.rm", "-vc", "dummy"} << ""
        << "" << QStringList{"-vo", "null", "-identify", "a.rm", "-vc", "null", "-frames", "0"};
    QTest::newRow("play, no display") << kPlay << ""
                                      << "" << QStringList{"-vo", "null"} + kPlayed;
    QTest::newRow("play, no display, window given")
        << kPlay << ""
        << "4194311" << QStringList{"-vo", "null"} + kPlayed;
    QTest::newRow("play, display and window")
        << kPlay << ":1"
        << "4194311" << QStringList{"-wid", "4194311", "-vo", "x11", "-nomouseinput"} + kPlayed;
    QTest::newRow("play, display, no window") << kPlay << ":1"
                                              << "" << kPlayed;
    QTest::newRow("-vo given, no display") << QStringList{"-vo", "fbdev", "a.avi"} << ""
                                           << "" << QStringList{"-vo", "fbdev", "a.avi"};
    QTest::newRow("-vc dummy kept outside identify") << QStringList{"-vc", "dummy", "a.avi"} << ":1"
                                                     << "" << QStringList{"-vc", "dummy", "a.avi"};
    QTest::newRow("-subrotate and its value dropped anywhere")
        << QStringList{"-subrotate", "2", "a.avi", "-subrotate", "0"} << ":1"
        << "" << QStringList{"a.avi"};
    QTest::newRow("nothing") << QStringList{} << ":1"
                             << "" << QStringList{};
}

void TranslationTest::translates() {
    QFETCH(QStringList, args);
    QFETCH(QString, display);
    QFETCH(QString, window);
    QFETCH(QStringList, expected);
    const StandInEnvironment environment{display.toStdString(), window.toStdString()};
    QCOMPARE(list(translateArguments(words(args), environment)), expected);
}

QTEST_GUILESS_MAIN(TranslationTest)
#include "tst_standin_translation.moc"
