#pragma once

#include <QByteArrayList>
#include <cstdio>

// The key binding file "keyline" in the program directory: "code=command" lines.
// The list is flat: key text, command, key text, command, ... in file order.
void loadKeyBindings(const QByteArray& appDir, QByteArrayList& keyBindings);

// Sends the command bound to the key on the stream (which may be null); returns the index of the
// matching element, or -1 when the key is not bound.
int runKeyBinding(const QByteArrayList& keyBindings, int key, FILE* stream);
