#pragma once

#include <QByteArrayList>

class PlayerSession;

// The key binding file "keyline" in the program directory: "code=command" lines.
// The list is flat: key text, command, key text, command, ... in file order.
void loadKeyBindings(const QByteArray& appDir, QByteArrayList& keyBindings);

// Sends the command bound to the key to the player, so that a paused player stays paused; returns
// the index of the matching element, or -1 when the key is not bound.
int runKeyBinding(const QByteArrayList& keyBindings, int key, bool paused, PlayerSession& player);
