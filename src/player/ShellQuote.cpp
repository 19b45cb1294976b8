#include "ShellQuote.h"

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

} // namespace

QByteArray escapeForDoubleQuotes(const QByteArray& text) {
    QByteArray escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (escapedInDoubleQuotes(c))
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

QByteArray shellWord(const QByteArray& text) {
    for (const char c : text) {
        if (interpretedByShell(c))
            return '"' + escapeForDoubleQuotes(text) + '"';
    }
    return text;
}
