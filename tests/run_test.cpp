#include <gtest/gtest.h>

#include <limits.h>
#include <stdio.h>

#include <algorithm>
#include <string>

#include "recording_sink.h"
#include "run.h"

// The fake query: fills every slot it is offered with a recognisable value,
// then returns whatever the test asked for.
static int fakeResult;
static int fakeCalls;
static int fakeCapacity;

static uint32_t Identifier(int slot)
{
	return 0xF0000000u | (uint32_t)(slot * 0x10001);
}

static int FakeQuery(int capacity, uint32_t *hklList)
{
	fakeCalls++;
	fakeCapacity = capacity;
	for (int slot = 0; slot < capacity; slot++)
		hklList[slot] = Identifier(slot);
	return fakeResult;
}

// The report for a list of count entries, spelled out with printf.
static std::string Expected(int count)
{
	char line[64];
	snprintf(line, sizeof line, "GetKeyboardLayoutList nCount: %d\r\n", count);
	std::string report = line;
	for (int i = 0; i < count; i++) {
		snprintf(line, sizeof line, "HKL[%d]: %08X\r\n", i, (unsigned)Identifier(i));
		report += line;
	}
	return report;
}

struct Run : testing::Test {
	RecordingSink sink;
	OutputChannel channel;

	std::string Report(int result, bool buffered)
	{
		fakeResult = result;
		fakeCalls = 0;
		sink = RecordingSink();
		sink.Open(&channel, buffered);
		ReportLayouts(FakeQuery, &channel);
		ChannelFlush(&channel);
		return sink.Bytes();
	}
};

TEST_F(Run, AsksOnceWithCapacity64)
{
	Report(3, false);
	EXPECT_EQ(fakeCalls, 1);
	EXPECT_EQ(fakeCapacity, 64);
}

TEST_F(Run, ReportsEachCountInSlotOrder)
{
	for (int count : {0, 1, 9, 10, 11, 63, 64}) {
		EXPECT_EQ(Report(count, false), Expected(count)) << count;
		EXPECT_EQ(sink.writes.size(), size_t(count + 1)) << "one write per line on a console";
	}
}

TEST_F(Run, ResultsOutsideTheCapacityCountAsFailure)
{
	for (int result : {-1, -64, 65, 1000, INT_MAX, INT_MIN})
		EXPECT_EQ(Report(result, false), "GetKeyboardLayoutList nCount: 0\r\n") << result;
}

TEST_F(Run, FileGetsTheConsoleBytesInWholeLineWriteOuts)
{
	std::string report = Report(64, true);
	EXPECT_EQ(report, Expected(64));
	ASSERT_GT(sink.writes.size(), 1u);

	// Every write-out but the last stopped because the next line would not
	// have fitted into the 512 bytes, counting each CR LF as one byte.
	size_t offset = 0;
	for (size_t i = 0; i < sink.writes.size(); i++) {
		const std::string &write = sink.writes[i];
		size_t logical = write.size() - std::count(write.begin(), write.end(), '\n');
		EXPECT_LE(logical, 512u);
		ASSERT_EQ(write.back(), '\n') << "write-out " << i << " ends mid-line";
		offset += write.size();
		if (i + 1 < sink.writes.size()) {
			size_t next = report.find('\n', offset) - offset + 1;
			EXPECT_GT(logical + next - 1, 512u) << "write-out " << i << " came too early";
		}
	}
}
