#ifndef KBLAYOUTS_STDOUT_H
#define KBLAYOUTS_STDOUT_H

#include "channel.h"

// Sets up the channel for standard output, unbuffered on a character device
// and buffered otherwise, and arranges for it to be flushed when the process
// exits normally.
OutputChannel *OpenStandardOutput();

#endif
