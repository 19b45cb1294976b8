// Any bytes as a directory name (the first byte tells a directory): the row shows a sign for
// every character, and none that would break the row or vanish.
#include "RowText.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const char* data, size_t size) {
    if (size == 0)
        return 0;
    const DirEntry entry{QByteArray(data + 1, qsizetype(size - 1)), (data[0] & 1) != 0};
    const QString text = rowText(entry);
    const auto breaksRow = [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control ||
               c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph;
    };
    const bool marked = !entry.isDir || text.startsWith(QLatin1Char('/'));
    const bool shown = text.size() > int(entry.isDir) || entry.name.isEmpty();
    if (!marked || !shown || std::any_of(text.begin(), text.end(), breaksRow))
        std::abort();
    return 0;
}
