#include "SessionBus.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr char kAddressVariable[] = "DBUS_SESSION_BUS_ADDRESS";

} // namespace

bool sessionBusAnnounced() {
    const QByteArray address = qgetenv(kAddressVariable);
    if (!address.isEmpty())
        return address != "disabled:";
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtimeDir.isEmpty() && QFileInfo::exists(QDir(runtimeDir).filePath("bus"));
}

void refuseUnannouncedSessionBus() {
    // libdbus knows no "disabled" transport: connecting fails before any socket or process.
    if (!sessionBusAnnounced())
        qputenv(kAddressVariable, "disabled:");
}
