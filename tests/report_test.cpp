#include <gtest/gtest.h>

#include <string>

#include "recording_sink.h"
#include "report.h"

struct ReportLines : testing::Test {
	RecordingSink sink;
	OutputChannel channel;

	void SetUp() override { sink.Open(&channel, false); }
};

TEST_F(ReportLines, CountLine)
{
	WriteCountLine(&channel, 0);
	WriteCountLine(&channel, 7);
	WriteCountLine(&channel, 0x80000000);
	WriteCountLine(&channel, 0xFFFFFFFF);
	EXPECT_EQ(sink.Bytes(),
	    "GetKeyboardLayoutList nCount: 0\r\n"
	    "GetKeyboardLayoutList nCount: 7\r\n"
	    "GetKeyboardLayoutList nCount: 2147483648\r\n"
	    "GetKeyboardLayoutList nCount: 4294967295\r\n");
	EXPECT_EQ(sink.writes.size(), 4u);
}

TEST_F(ReportLines, EntryLine)
{
	WriteEntryLine(&channel, 0, 0x04090409);
	WriteEntryLine(&channel, 1, 0);
	WriteEntryLine(&channel, 2, 0xC);
	WriteEntryLine(&channel, 63, 0xF0020409);
	WriteEntryLine(&channel, 0xFFFFFFFF, 0xFFFFFFFF);
	EXPECT_EQ(sink.Bytes(),
	    "HKL[0]: 04090409\r\n"
	    "HKL[1]: 00000000\r\n"
	    "HKL[2]: 0000000C\r\n"
	    "HKL[63]: F0020409\r\n"
	    "HKL[4294967295]: FFFFFFFF\r\n");
}

TEST_F(ReportLines, IndicesAreNotPadded)
{
	WriteEntryLine(&channel, 9, 0x0407);
	WriteEntryLine(&channel, 10, 0x0407);
	ASSERT_EQ(sink.writes.size(), 2u);
	EXPECT_EQ(sink.writes[0].size(), 18u);
	EXPECT_EQ(sink.writes[1].size(), 19u);
}

TEST_F(ReportLines, EntryLinesAreAsciiWithoutLowercase)
{
	for (uint32_t value : {0xABCDEF01u, 0xDEADBEEFu, 0x0000FACEu})
		WriteEntryLine(&channel, 5, value);
	for (char c : sink.Bytes()) {
		EXPECT_FALSE(c >= 'a' && c <= 'z') << c;
		EXPECT_GT(static_cast<unsigned char>(c), 0u);
		EXPECT_LT(static_cast<unsigned char>(c), 128u);
	}
}
