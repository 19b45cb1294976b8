#include "Translation.h"

#include <QtTest>

namespace {

const QString kIdentify = "-identify /c/a.avi -nosound -vc dummy -vo null";
const QString kIdentified = "-identify /c/a.avi -nosound -vc null -frames 0 -vo null";
const QString kPlay = "-slave -quiet -vf rotate=2,crop=240:320 -subrotate 2 -idle -menu /c/a.avi";
const QString kPlayed = "-slave -quiet -vf rotate=2,crop=240:320 -idle -menu /c/a.avi";

// Name, display, video window, arguments, and what they become.
const QStringList kCases[] = {
    {"identify, -vo given, no display", "", "", kIdentify, kIdentified},
    {"identify, display and window", ":1", "42", kIdentify, kIdentified},
    {"identify, no -vo, no display", "", "", "-identify a -vc dummy",
     "-vo null -identify a -vc null -frames 0"},
    {"play, no display, window", "", "42", kPlay, "-vo null " + kPlayed},
    {"play, display and window", ":1", "42", kPlay, "-wid 42 -vo x11 -nomouseinput " + kPlayed},
    {"play, display, no window", ":1", "", kPlay, kPlayed},
    {"-vc dummy outside identify", ":1", "", "-vc dummy a", "-vc dummy a"},
    {"-subrotate N anywhere", ":1", "", "-subrotate 2 a -subrotate 0", "a"},
};

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    void translates_data() {
        QTest::addColumn<QStringList>("row");
        for (const QStringList& row : kCases)
            QTest::newRow(row[0].toUtf8().constData()) << row;
    }
    void translates() {
        QFETCH(QStringList, row);
        std::vector<std::string> args;
        for (const QString& word : row[3].split(' ', Qt::SkipEmptyParts))
            args.push_back(word.toStdString());
        QStringList result;
        for (const std::string& word :
             translateArguments(args, {row[1].toStdString(), row[2].toStdString()}))
            result += QString::fromStdString(word);
        QCOMPARE(result, row[4].split(' ', Qt::SkipEmptyParts));
    }
};

QTEST_GUILESS_MAIN(TranslationTest)
#include "tst_standin_translation.moc"
