#pragma once

class QSocketNotifier;

// Reads and discards whatever arrives on the socket fd, from the event loop, until the other
// side has closed it. The fd itself stays blocking for writes. Returns the notifier that does
// it (the caller deletes it before closing fd), or null when there is no application object and
// so no event loop to do it from.
QSocketNotifier* startDraining(int fd);
