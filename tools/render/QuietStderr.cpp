#include "QuietStderr.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

QuietStderr::QuietStderr()
{
    std::fflush (stderr);
    const int nullDevice = open ("/dev/null", O_WRONLY);

    if (nullDevice < 0)
        return;

    savedStderr = dup (STDERR_FILENO);

    if (savedStderr >= 0)
        dup2 (nullDevice, STDERR_FILENO);

    close (nullDevice);
}

QuietStderr::~QuietStderr()
{
    if (savedStderr < 0)
        return;

    std::fflush (stderr);
    dup2 (savedStderr, STDERR_FILENO);
    close (savedStderr);
}
