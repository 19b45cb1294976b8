#include "StandardDescriptors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// open gives the lowest free number, which is the closed one, as the lower ones are open by then.
void openClosedStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}
