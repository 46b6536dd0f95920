#include "render.h"

size_t RenderDecimal(char *out, uint32_t value)
{
	char reversed[DECIMAL_MAX_DIGITS];
	size_t count = 0;

	do {
		reversed[count++] = (char)('0' + value % 10);
		value /= 10;
	} while (value != 0);
	for (size_t i = 0; i < count; i++)
		out[i] = reversed[count - 1 - i];
	return count;
}

size_t RenderHex8(char *out, uint32_t value)
{
	static const char digits[] = "0123456789ABCDEF";

	for (int i = HEX_DIGITS - 1; i >= 0; i--) {
		out[i] = digits[value & 0xF];
		value >>= 4;
	}
	return HEX_DIGITS;
}
