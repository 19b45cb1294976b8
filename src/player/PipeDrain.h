#pragma once

class QSocketNotifier;

// Reads and discards whatever arrives on the socket fd, from the event loop, until the other
// side has closed it. The fd itself stays blocking for writes. Returns the notifier that does
// it (the caller deletes it before closing fd), or null when there is no application object and
// so no event loop to do it from.
QSocketNotifier* startDraining(int fd);

// Ends both directions of the socket fd before it is closed: the child reads a clean end of
// input, and nothing it printed is left unread. Closing a Unix socket with unread data would
// instead make the child's next read fail with ECONNRESET.
void shutDownQuietly(int fd);
