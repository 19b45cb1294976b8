#pragma once

#include <QByteArrayList>
#include <QList>

// A child's command: the words its program is started with, and the text the traces show of it,
// written as a shell command that would give those same words.
struct CommandWord {
    QByteArray text;
    // Shown between double quotes whatever it holds; otherwise only where the shell would not
    // take it literally.
    bool alwaysQuoted = false;
};

using CommandWords = QList<CommandWord>;

QByteArrayList argumentsOf(const CommandWords& words);

// The words joined by spaces, each quoted as above; inside double quotes '"', '`', '$' and '\'
// carry a backslash.
QByteArray commandText(const CommandWords& words);
