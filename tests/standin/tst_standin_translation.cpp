#include "Translation.h"

#include <QtTest>

const QString kIdentify = "-identify /c/a.avi -nosound -vc dummy -vo null";
const QString kIdentified = "-identify /c/a.avi -nosound -vc null -frames 0 -vo null";
const QString kPlay = "-slave -quiet -vf rotate=2,crop=240:320 -subrotate 2 -idle -menu "
                      "-font /usr/language/fonts/AMCSL.TTF /c/a.avi";
const QString kSubtitles = "-ass -subcp enca:zh:utf-8 ";
const QString kPlayed = "-slave -quiet -vf ass,expand=::::1,rotate=2,crop=240:320 -idle -menu "
                        "-font WenQuanYi~Micro~Hei -fontconfig /c/a.avi";

// Name, display, video window, arguments, and what they become; words are separated by spaces,
// and "~" is a space inside a word.
const QStringList kCases[] = {
    {"identify, -vo given, no display", "", "", kIdentify, kIdentified},
    {"identify, display and window", ":1", "42", kIdentify, kIdentified},
    {"identify, no -vo, no display", "", "", "-identify a -vc dummy",
     "-vo null -identify a -vc null -frames 0"},
    {"play, no display, window", "", "42", kPlay, "-vo null " + kSubtitles + kPlayed},
    {"play, display and window", ":1", "42", kPlay,
     "-wid 42 -vo x11 -nomouseinput " + kSubtitles + kPlayed},
    {"play, display, no window", ":1", "", kPlay, kSubtitles + kPlayed},
    {"play unturned: chain and other fonts kept", ":1", "",
     "-vf crop=240:320 -font /f.ttf -vc dummy a",
     kSubtitles + "-vf crop=240:320 -font /f.ttf -vc dummy a"},
    {"-subrotate N anywhere", ":1", "", "-subrotate 2 a -subrotate 0", kSubtitles + "a"},
};

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
        QCOMPARE(result, row[4].split(' ', Qt::SkipEmptyParts).replaceInStrings("~", " "));
    }
};

QTEST_GUILESS_MAIN(TranslationTest)
#include "tst_standin_translation.moc"
