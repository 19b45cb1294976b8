#include "MyFileDlg.h"
#include "Picker.h"
#include "TestTree.h"
#include "ZApplication.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

// Sends what the process writes on its standard output into a file until finished.
class StdoutCapture {
public:
    StdoutCapture() {
        file_.open();
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        dup2(file_.handle(), STDOUT_FILENO);
    }
    ~StdoutCapture() { finish(); }

    QByteArray text() {
        std::fflush(stdout);
        QFile reader(file_.fileName());
        return reader.open(QIODevice::ReadOnly) ? reader.readAll() : QByteArray();
    }
    QByteArray finish() {
        const QByteArray captured = text();
        if (saved_ >= 0) {
            dup2(saved_, STDOUT_FILENO);
            close(saved_);
            saved_ = -1;
        }
        return captured;
    }

private:
    QTemporaryFile file_;
    int saved_ = -1;
};

void press(MyFileDlg& picker, Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(&picker, key);
}

int rowOf(const DirListing& listing, const QByteArray& name) {
    for (int i = 0; i < listing.count(); ++i)
        if (listing.at(i).name == name)
            return i + 1;
    return 0;
}

// Walks up to the root with Left, then down to the file with Down and Return, as a user would.
void walkTo(MyFileDlg& picker, const QByteArray& path) {
    for (int i = 0; i < 64 && picker.listing().path() != "/"; ++i)
        press(picker, Qt::Key_Left);
    for (const QByteArray& name : path.mid(1).split('/')) {
        const int row = rowOf(picker.listing(), name);
        QVERIFY2(row > 0, name.constData());
        press(picker, Qt::Key_Down, row - 1);
        press(picker, Qt::Key_Return);
    }
}

} // namespace

class RunPickerTest : public QObject {
    Q_OBJECT

private slots:
    void endsWithoutAChoice_data() {
        QTest::addColumn<bool>("byF2");
        QTest::newRow("F2") << true;
        QTest::newRow("closed") << false;
    }
    void endsWithoutAChoice() {
        QFETCH(bool, byF2);
        const QString choice = runWith([byF2](MyFileDlg& picker) {
            if (byF2)
                press(picker, Qt::Key_F2);
            else
                picker.close();
        });
        QCOMPARE(choice, QStringLiteral("USER_CANCEL"));
    }

    void choosesAFileWithTheKeys() {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString name = QString::fromUtf8("目录/视频 Ägypten.avi");
        QVERIFY(TestTree::make(root.path(), {"other/", name}));
        const QByteArray target = QFile::encodeName(root.filePath(name));
        const QString choice = runWith([&](MyFileDlg& picker) { walkTo(picker, target); });
        QCOMPARE(choice.toUtf8(), target);
    }

    void laterLoopsRunUntilTheyAreEnded() {
        runWith([](MyFileDlg& picker) { press(picker, Qt::Key_F2); });
        bool ranToItsEnd = false;
        QTimer::singleShot(100, qApp, [&] {
            ranToItsEnd = true;
            QCoreApplication::quit();
        });
        QCoreApplication::exec();
        QVERIFY(ranToItsEnd);
    }

private:
    // Runs the picker, does `act` on it once it is up, checks the traces around the modal run
    // and that the picker is gone afterwards; returns the picker's result.
    QString runWith(const std::function<void(MyFileDlg&)>& act) {
        StdoutCapture out;
        bool cameUp = false;
        QPointer<MyFileDlg> seen;
        QByteArray tracedWhileUp;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* picker = qobject_cast<MyFileDlg*>(QApplication::activeModalWidget());
            if (!picker)
                return;
            poll.stop();
            cameUp = true;
            seen = picker;
            tracedWhileUp = out.text();
            act(*picker);
        });
        poll.start(20);
        const QString choice = runPicker();
        const QByteArray traced = out.finish();
        [&] {
            QVERIFY2(cameUp, "the picker never came up");
            QVERIFY(seen.isNull());
            QVERIFY(tracedWhileUp.endsWith("\nbegin exec"));
            QVERIFY(traced.endsWith("\nbegin exec\nexec ok"));
        }();
        return choice;
    }
};

int main(int argc, char** argv) {
    ZApplication app(argc, argv);
    RunPickerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_runpicker.moc"
