#pragma once

#include <cstring>

// Shell quoting for any byte string with the standard container operations: QByteArray in the
// program, std::string where the program starts before Qt is loaded.

namespace ShellQuote {

inline bool escapedInDoubleQuotes(char c) {
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

// Every byte that makes the shell do more than take a word literally: splitting, quoting,
// expansion, redirection, globbing, comments and command separation.
inline bool interpretedByShell(char c) {
    return c != '\0' && std::strchr(" \t\n\r\v\f'\"$`\\;&|<>()*?[#~", c) != nullptr;
}

} // namespace ShellQuote

// For text placed between double quotes in a shell command: escapes with a backslash the
// characters the shell still interprets there: '"', '`', '$' and '\'.
template <typename Bytes> Bytes escapeForDoubleQuotes(const Bytes& text) {
    Bytes escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (ShellQuote::escapedInDoubleQuotes(c))
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// A whole shell word: the text unchanged when the shell would take it literally, otherwise the
// text between double quotes, escaped as above.
template <typename Bytes> Bytes shellWord(const Bytes& text) {
    for (const char c : text) {
        if (ShellQuote::interpretedByShell(c))
            return '"' + escapeForDoubleQuotes(text) + '"';
    }
    return text;
}
