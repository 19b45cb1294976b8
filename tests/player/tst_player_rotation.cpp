#include "TestSupport.h"
#include "VideoRotation.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <sys/stat.h>

namespace {

QByteArray be32(qint64 value) {
    const quint32 big = qToBigEndian(quint32(value));
    return QByteArray(reinterpret_cast<const char*>(&big), 4);
}

QByteArray box(const char* type, const QByteArray& payload) {
    return be32(8 + payload.size()) + type + payload;
}

// A display matrix from its 2x2 part, in 16.16 fixed point.
QByteArray matrix(double a, double b, double c, double d) {
    const auto fixed = [](double value) { return be32(qint64(value * 65536)); };
    return fixed(a) + fixed(b) + be32(0) + fixed(c) + fixed(d) + be32(0) + be32(0) + be32(0) +
           be32(0x40000000);
}

const QByteArray kUpright = matrix(1, 0, 0, 1);
const QByteArray kPhone = matrix(0, 1, -1, 0); // what phones write for a portrait recording

QByteArray track(const char* handler, const QByteArray& m, char version = 0) {
    const QByteArray times(version == 1 ? 48 : 36, '\0');
    const QByteArray header = box("tkhd", version + QByteArray(3, '\0') + times + m + be32(0));
    const QByteArray hdlr = box("hdlr", QByteArray(8, '\0') + handler + QByteArray(12, '\0'));
    return box("trak", header + box("mdia", hdlr));
}

} // namespace

class RotationTest : public QObject {
    Q_OBJECT
private slots:
    void fromMovieBox_data() {
        QTest::addColumn<QByteArray>("movie");
        QTest::addColumn<int>("rotation");
        QTest::newRow("phone portrait") << track("vide", kPhone) << 90;
        QTest::newRow("upside down") << track("vide", matrix(-1, 0, 0, -1)) << 180;
        QTest::newRow("upright") << track("vide", kUpright) << 0;
        QTest::newRow("version 1 header") << track("vide", kPhone, 1) << 90;
        QTest::newRow("the movie's matrix adds")
            << box("mvhd", QByteArray(36, '\0') + kPhone + QByteArray(28, '\0')) +
                   track("vide", kPhone)
            << 180;
        QTest::newRow("first video track counts")
            << track("soun", kPhone) + track("vide", kUpright) + track("vide", kPhone) << 0;
        QTest::newRow("mirrored") << track("vide", matrix(-1, 0, 0, 1)) << 0;
        QTest::newRow("size beyond the bytes") << be32(1000) + track("vide", kPhone).mid(4) << 0;
    }
    void fromMovieBox() {
        QFETCH(QByteArray, movie);
        QTEST(rotationOfMovie(movie), "rotation");
    }

    // The file is walked box by box past a media box with a 64-bit size; what is not a regular
    // file is never waited on.
    void fromFile() {
        QTemporaryDir dir;
        const QByteArray clip = QFile::encodeName(dir.filePath("clip.mp4"));
        const QByteArray media(4000, 'm');
        QVERIFY(TestSupport::writeFile(QFile::decodeName(clip),
                                       box("ftyp", "isom") + be32(1) + "mdat" + be32(0) +
                                           be32(16 + media.size()) + media +
                                           box("moov", track("vide", kPhone))));
        QCOMPARE(videoRotationOfFile(clip), 90);
        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo.mp4"));
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        for (const QByteArray& other : {fifo, QByteArray("/dev/zero"), clip + ".missing"})
            QCOMPARE(videoRotationOfFile(other), 0);
    }
};

QTEST_GUILESS_MAIN(RotationTest)
#include "tst_player_rotation.moc"
