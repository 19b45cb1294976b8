#include "CommandWords.h"

#include <cstring>

namespace {

bool escapedInDoubleQuotes(char c) {
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

// Every byte that makes the shell do more than take a word literally: splitting, quoting,
// expansion, redirection, globbing, comments and command separation.
bool interpretedByShell(char c) {
    return c != '\0' && std::strchr(" \t\n\r\v\f'\"$`\\;&|<>()*?[#~", c) != nullptr;
}

QByteArray doubleQuoted(const QByteArray& text) {
    QByteArray quoted = "\"";
    for (const char c : text) {
        if (escapedInDoubleQuotes(c))
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

QByteArray shown(const CommandWord& word) {
    const bool literal = std::none_of(word.text.begin(), word.text.end(), interpretedByShell);
    return word.alwaysQuoted || !literal ? doubleQuoted(word.text) : word.text;
}

} // namespace

QByteArrayList argumentsOf(const CommandWords& words) {
    QByteArrayList arguments;
    for (const CommandWord& word : words)
        arguments << word.text;
    return arguments;
}

QByteArray commandText(const CommandWords& words) {
    QByteArrayList shownWords;
    for (const CommandWord& word : words)
        shownWords << shown(word);
    return shownWords.join(' ');
}
