#include "CommandWords.h"

#include "ShellQuote.h"

namespace {

// Appends the double-quoted string that starts at command[at], returning the index of its
// closing quote, or npos when it has none.
size_t appendQuoted(std::string_view command, size_t at, std::string& word) {
    for (size_t i = at + 1; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '"')
            return i;
        if (c == '\\' && i + 1 < command.size()) {
            const char next = command[i + 1];
            if (next == '\n') {
                ++i;
                continue;
            }
            if (ShellQuote::escapedInDoubleQuotes(next)) {
                word += next;
                ++i;
                continue;
            }
        }
        word += c;
    }
    return std::string_view::npos;
}

} // namespace

std::optional<std::vector<std::string>> commandWords(std::string_view command) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == ' ') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '"') {
            i = appendQuoted(command, i, word);
            if (i == std::string_view::npos)
                return std::nullopt;
        } else if (ShellQuote::interpretedByShell(c) || c == '\0') {
            return std::nullopt;
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}
