#include "ScreenSaverInhibitor.h"

#include "SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

constexpr char kService[] = "org.freedesktop.ScreenSaver";
constexpr char kPath[] = "/org/freedesktop/ScreenSaver";
constexpr char kInterface[] = "org.freedesktop.ScreenSaver";
// A screen saver that does not answer promptly is not worth waiting for.
constexpr int kReplyTimeoutMs = 1000;

QDBusMessage screenSaverCall(const char* method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

} // namespace

void ScreenSaverInhibitor::hold() {
    wanted_ = true;
    if (cookie_ || asking_ || !sessionBusAnnounced())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage inhibit = screenSaverCall("Inhibit");
    inhibit << QStringLiteral("vidlark") << QStringLiteral("playing video");
    asking_ = true;
    // Owned by this object, so an answer after its end reaches nobody.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(inhibit, kReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        const QDBusPendingReply<unsigned> reply = *watcher;
        answered(reply.isValid() ? std::optional<unsigned>(reply.value()) : std::nullopt);
        watcher->deleteLater();
    });
}

void ScreenSaverInhibitor::release() {
    wanted_ = false;
    if (!cookie_)
        return;
    QDBusMessage unInhibit = screenSaverCall("UnInhibit");
    unInhibit << *cookie_;
    QDBusConnection::sessionBus().send(unInhibit);
    cookie_.reset();
}

// The display may have been let sleep again while the screen saver was answering.
void ScreenSaverInhibitor::answered(std::optional<unsigned> cookie) {
    asking_ = false;
    cookie_ = cookie;
    if (!wanted_)
        release();
}
