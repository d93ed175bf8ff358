#include "linerate.h"

#ifdef __linux__
#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace sim {

int lineRateOf(int fd)
{
    struct termios2 tio = {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return -1;
    return int(tio.c_ospeed);
}

} // namespace sim

#else
#include <termios.h>

namespace sim {

// Elsewhere the rate codes are the rates themselves.
int lineRateOf(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return -1;
    return int(::cfgetospeed(&tio));
}

} // namespace sim
#endif
