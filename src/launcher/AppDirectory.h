#pragma once

#include <QByteArray>
#include <optional>

// The directory holding the running executable, from the link /proc/self/exe read whole,
// however long; none when the link cannot be read.
std::optional<QByteArray> appDirectory(const char* exeLink = "/proc/self/exe");
