#include "stdout.h"

#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

static OutputChannel standardOutput;

static long WriteToDescriptor(void *, const char *bytes, size_t size)
{
	ssize_t written = write(STDOUT_FILENO, bytes, size);

	if (written < 0)
		return errno == EINTR ? WRITE_INTERRUPTED : WRITE_FAILED;
	return (long)written;
}

// Standard output was closed at start: whatever gets descriptor 1 later is
// the program's own, such as its X connection, and must not get the report.
static long Discard(void *, const char *, size_t)
{
	return WRITE_FAILED;
}

static void FlushStandardOutput()
{
	ChannelFlush(&standardOutput);
}

OutputChannel *OpenStandardOutput()
{
	struct stat status;

	// A reader that goes away early costs the report, not the exit status.
	signal(SIGPIPE, SIG_IGN);
	if (fstat(STDOUT_FILENO, &status) != 0)
		ChannelOpen(&standardOutput, Discard, NULL, false);
	else
		ChannelOpen(&standardOutput, WriteToDescriptor, NULL,
		    !S_ISCHR(status.st_mode));
	atexit(FlushStandardOutput);
	return &standardOutput;
}
