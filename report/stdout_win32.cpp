#include "stdout.h"

#include <stdlib.h>
#include <windows.h>

static OutputChannel standardOutput;

static long WriteToHandle(void *context, const char *bytes, size_t size)
{
	DWORD written = 0;

	if (!WriteFile((HANDLE)context, bytes, (DWORD)size, &written, NULL))
		return WRITE_FAILED;
	return (long)written;
}

static void FlushStandardOutput()
{
	ChannelFlush(&standardOutput);
}

OutputChannel *OpenStandardOutput()
{
	HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
	bool console = GetFileType(handle) == FILE_TYPE_CHAR;

	ChannelOpen(&standardOutput, WriteToHandle, handle, !console);
	atexit(FlushStandardOutput);
	return &standardOutput;
}
