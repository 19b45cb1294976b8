#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The words the shell would make of a command written with shellWord and double quotes, so that
// the command runs without a shell in between: words apart by spaces, plain characters, and
// double-quoted strings in which a backslash escapes '"', '`', '$' and '\', and a backslash before
// a newline goes with it. None for anything else the shell would interpret: expansions, quotes
// of other kinds, separators, redirections, globbing, comments, or an unclosed quote.
std::optional<std::vector<std::string>> commandWords(std::string_view command);
