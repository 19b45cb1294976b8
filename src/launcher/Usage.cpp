#include "Usage.h"

#include "HandsetKeys.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QByteArray usageText() {
    return "Usage: vidlark [-bare] [-card DIR] [MEDIA-FILE]\n"
           "Plays MEDIA-FILE on an emulated 240x320 handset; without one, opens the file\n"
           "picker on the memory card. Qt's own options (-platform, -display, ...) are\n"
           "accepted too.\n"
           "\n"
           "  -bare        show the bare screen, without the handset and its keys around it\n"
           "  -card DIR    the memory card is DIR; without it /mmc/mmca1/ when that exists,\n"
           "               else the desktop's videos folder, else the home folder\n"
           "  --help       show this text\n"
           "  --version    show the version\n"
           "\n"
           "Keys:\n" +
           keyTableText();
}

[[noreturn]] void printAndExit(const QByteArray& text) {
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
    std::exit(0);
}

} // namespace

void answerInformationOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0)
            printAndExit(usageText());
        if (std::strcmp(argv[i], "--version") == 0)
            printAndExit("vidlark " VIDLARK_VERSION "\n");
    }
}
