// A program that dies holding a player: starts the command as its player, says so, and waits
// to be killed.
#include "PlayerSession.h"

#include <QCoreApplication>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PlayerSession player;
    if (argc != 2 || !player.start(argv[1]))
        return 1;
    write(STDOUT_FILENO, "started\n", 8);
    for (;;)
        pause();
}
