#pragma once

#include <optional>
#include <string>

// The directory holding the running executable, from the link /proc/self/exe read whole,
// however long; none when the link cannot be read.
std::optional<std::string> appDirectory(const char* exeLink = "/proc/self/exe");
