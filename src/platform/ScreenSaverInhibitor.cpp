#include "ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr char kService[] = "org.freedesktop.ScreenSaver";
constexpr char kPath[] = "/org/freedesktop/ScreenSaver";
constexpr char kInterface[] = "org.freedesktop.ScreenSaver";
// A screen saver that does not answer promptly is not worth stalling the program for.
constexpr int kReplyTimeoutMs = 1000;

// Connecting with no bus address makes libdbus start a bus of its own, which would outlive us.
bool sessionBusKnown() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtimeDir.isEmpty() && QFileInfo::exists(QDir(runtimeDir).filePath("bus"));
}

QDBusMessage screenSaverCall(const char* method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

} // namespace

void ScreenSaverInhibitor::hold() {
    if (cookie_ || !sessionBusKnown())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage inhibit = screenSaverCall("Inhibit");
    inhibit << QStringLiteral("vidlark") << QStringLiteral("playing video");
    const QDBusMessage reply = bus.call(inhibit, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        cookie_ = reply.arguments().constFirst().toUInt();
}

void ScreenSaverInhibitor::release() {
    if (!cookie_)
        return;
    QDBusMessage unInhibit = screenSaverCall("UnInhibit");
    unInhibit << *cookie_;
    QDBusConnection::sessionBus().send(unInhibit);
    cookie_.reset();
}
