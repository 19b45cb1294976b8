#pragma once

// The desktop session's D-Bus is used only when it is announced: by DBUS_SESSION_BUS_ADDRESS, or
// by a socket "bus" in XDG_RUNTIME_DIR.
bool sessionBusAnnounced();

// Without an announced bus, libdbus would run dbus-launch to start one of its own (Qt asks for
// the session bus as soon as its accessibility bridge wakes up), wait for it, and leave it
// running after we end. This marks the session bus as disabled for this process and the
// players it starts, so every such attempt fails at once. Call it before any other thread runs.
void refuseUnannouncedSessionBus();
