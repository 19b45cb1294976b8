#include "RowText.h"

#include <QFile>

namespace {

// A name may hold any byte but the slash, line breaks and other control characters included.
// Drawn as they are they would break the name over the rows below, or vanish, so each is shown
// as a sign of its own: the C0 controls and DEL as their control pictures (U+2400 to U+2421),
// every other control or line and paragraph separator as the replacement character.
QChar visible(QChar c) {
    if (c.unicode() < 0x20)
        return QChar(0x2400 + c.unicode());
    if (c.unicode() == 0x7f)
        return QChar(0x2421);
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return QChar::ReplacementCharacter;
    default:
        return c;
    }
}

} // namespace

QString rowText(const DirEntry& entry) {
    QString text = QFile::decodeName(entry.name);
    for (QChar& c : text)
        c = visible(c);
    return entry.isDir ? QLatin1Char('/') + text : text;
}
