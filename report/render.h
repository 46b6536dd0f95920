#ifndef KBLAYOUTS_RENDER_H
#define KBLAYOUTS_RENDER_H

#include <stddef.h>
#include <stdint.h>

// Longest output of RenderDecimal: 4294967295.
enum { DECIMAL_MAX_DIGITS = 10, HEX_DIGITS = 8 };

// Writes value in unsigned decimal, without padding; returns the digit count.
size_t RenderDecimal(char *out, uint32_t value);

// Writes value as exactly eight uppercase hexadecimal digits; returns 8.
size_t RenderHex8(char *out, uint32_t value);

#endif
