#pragma once

#include "PlayerSession.h"

#include <QByteArray>

// One line, in the handset's language, that tells why the clip does not play: the player's word
// on it, made plainer by a look at the file itself. UTF-8 bytes.
QByteArray failureLine(PlayerSession::Failure why, const QByteArray& mediaPath);

// The same for a player that could not be started, from the errno value of the attempt.
QByteArray startFailureLine(int error);
