#pragma once

#include <QByteArray>
#include <optional>

// The directory holding the running executable, from the link /proc/self/exe; none when the
// link cannot be read or its target is 1024 bytes or longer.
std::optional<QByteArray> appDirectory(const char* exeLink = "/proc/self/exe");
