#include <gtest/gtest.h>

#include <inttypes.h>
#include <stdio.h>

#include <random>
#include <string>
#include <vector>

#include "render.h"

static std::string Decimal(uint32_t value)
{
	char out[DECIMAL_MAX_DIGITS];
	return std::string(out, RenderDecimal(out, value));
}

static std::string Hex(uint32_t value)
{
	char out[HEX_DIGITS];
	return std::string(out, RenderHex8(out, value));
}

static std::string Reference(const char *format, uint32_t value)
{
	char out[16];
	snprintf(out, sizeof out, format, value);
	return out;
}

// Edge values and their neighbours, then random values of every width.
static std::vector<uint32_t> Samples()
{
	std::vector<uint32_t> values = {0, 1, 9, 10, 15, 16, 99, 100, 255, 256,
	    0x0409, 0x04090409, 0x7FFFFFFF, 0x80000000, 0xF0020409, 0xFFFFFFFE,
	    0xFFFFFFFF, 999999999, 1000000000};
	for (int bits = 0; bits < 32; bits++)
		values.push_back(uint32_t(1) << bits);
	std::mt19937 random(20261209);
	for (int i = 0; i < 20000; i++)
		values.push_back(random() >> (random() % 32));
	return values;
}

TEST(Render, DecimalMatchesPrintf)
{
	for (uint32_t value : Samples())
		ASSERT_EQ(Decimal(value), Reference("%" PRIu32, value)) << value;
}

TEST(Render, HexMatchesPrintfWithEightUppercaseDigits)
{
	for (uint32_t value : Samples())
		ASSERT_EQ(Hex(value), Reference("%08" PRIX32, value)) << value;
}

TEST(Render, EdgeCasesSpelledOut)
{
	EXPECT_EQ(Decimal(0), "0");
	EXPECT_EQ(Decimal(4294967295u), "4294967295");
	EXPECT_EQ(Hex(0), "00000000");
	EXPECT_EQ(Hex(0xA), "0000000A");
	EXPECT_EQ(Hex(0xF0020409), "F0020409");
	EXPECT_EQ(Hex(0xFFFFFFFF), "FFFFFFFF");
}
