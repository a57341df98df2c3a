#include "app/tool/ReaderGone.h"

#include <poll.h>

namespace velarin::tool {

bool ReaderGone(int fd)
{
    pollfd writable { fd, POLLOUT, 0 };
    return poll(&writable, 1, 0) == 1 && (writable.revents & (POLLERR | POLLHUP)) != 0;
}

} // namespace velarin::tool
