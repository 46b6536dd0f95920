#include "report.h"

#include <string.h>

#include "render.h"

// Longest line: the count line with a ten-digit count and its LF.
enum { LINE_MAX_LENGTH = 30 + DECIMAL_MAX_DIGITS + 1 };

static size_t Append(char *line, size_t length, const char *text)
{
	size_t size = strlen(text);

	memcpy(line + length, text, size);
	return length + size;
}

void WriteCountLine(OutputChannel *out, uint32_t nCount)
{
	char line[LINE_MAX_LENGTH];
	size_t length = Append(line, 0, "GetKeyboardLayoutList nCount: ");

	length += RenderDecimal(line + length, nCount);
	line[length++] = '\n';
	ChannelWriteLine(out, line, length);
}

void WriteEntryLine(OutputChannel *out, uint32_t index, uint32_t hkl)
{
	char line[LINE_MAX_LENGTH];
	size_t length = Append(line, 0, "HKL[");

	length += RenderDecimal(line + length, index);
	length = Append(line, length, "]: ");
	length += RenderHex8(line + length, hkl);
	line[length++] = '\n';
	ChannelWriteLine(out, line, length);
}
