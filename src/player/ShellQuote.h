#pragma once

#include <QByteArray>

// For text placed between double quotes in a shell command: escapes with a backslash the
// characters the shell still interprets there: '"', '`', '$' and '\'.
QByteArray escapeForDoubleQuotes(const QByteArray& text);

// A whole shell word: the text unchanged when the shell would take it literally, otherwise the
// text between double quotes, escaped as above.
QByteArray shellWord(const QByteArray& text);
