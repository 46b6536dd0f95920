#include <gtest/gtest.h>

#include <string>

#include "recording_sink.h"
#include "channel.h"

struct Channel : testing::Test {
	RecordingSink sink;
	OutputChannel channel;

	void Write(const std::string &line)
	{
		ChannelWriteLine(&channel, line.data(), line.size());
	}
};

// A line of the given length, LF included.
static std::string Line(size_t length, char fill = 'x')
{
	return std::string(length - 1, fill) + "\n";
}

TEST_F(Channel, ConsoleHandsOverEachLineAtOnce)
{
	sink.Open(&channel, false);
	Write("one\n");
	ASSERT_EQ(sink.writes.size(), 1u);
	Write("two\n");
	EXPECT_EQ(sink.writes, (std::vector<std::string>{"one\r\n", "two\r\n"}));
	ChannelFlush(&channel);
	EXPECT_EQ(sink.calls, 2);
}

TEST_F(Channel, OnlyLineFeedsAreExpanded)
{
	sink.Open(&channel, false);
	Write(std::string("a\rb\tc\x7f\x01", 7) + "\n");
	EXPECT_EQ(sink.Bytes(), std::string("a\rb\tc\x7f\x01", 7) + "\r\n");
}

TEST_F(Channel, BufferedHoldsLinesUntilFlush)
{
	sink.Open(&channel, true);
	Write("one\n");
	Write("two\n");
	EXPECT_EQ(sink.calls, 0);
	ChannelFlush(&channel);
	EXPECT_EQ(sink.writes, (std::vector<std::string>{"one\r\ntwo\r\n"}));
	ChannelFlush(&channel);
	EXPECT_EQ(sink.calls, 1);
}

TEST_F(Channel, FlushOfEmptyBufferWritesNothing)
{
	sink.Open(&channel, true);
	ChannelFlush(&channel);
	EXPECT_EQ(sink.calls, 0);
}

TEST_F(Channel, LineEndsCountAsOneByteInTheBuffer)
{
	sink.Open(&channel, true);
	for (int i = 0; i < 16; i++)
		Write(Line(32));
	EXPECT_EQ(sink.calls, 0) << "512 bytes with LF line ends fill the buffer exactly";
	Write("y\n");
	ASSERT_EQ(sink.writes.size(), 1u);
	EXPECT_EQ(sink.writes[0].size(), 16u * 33u);
	ChannelFlush(&channel);
	EXPECT_EQ(sink.writes.back(), "y\r\n");
}

TEST_F(Channel, LineThatDoesNotFitStartsTheNextBuffer)
{
	sink.Open(&channel, true);
	Write(Line(500, 'a'));
	Write(Line(12, 'b'));
	EXPECT_EQ(sink.calls, 0);
	Write(Line(2, 'c'));
	ASSERT_EQ(sink.writes.size(), 1u);
	EXPECT_EQ(sink.writes[0], std::string(499, 'a') + "\r\n" + std::string(11, 'b') + "\r\n");
	ChannelFlush(&channel);
	EXPECT_EQ(sink.writes.back(), "c\r\n");
}

TEST_F(Channel, ShortWritesAreResumed)
{
	sink.Open(&channel, true);
	sink.plan = {3, 1, 4};
	Write("hello\n");
	Write("world\n");
	ChannelFlush(&channel);
	EXPECT_EQ(sink.Bytes(), "hello\r\nworld\r\n");
	EXPECT_EQ(sink.writes.size(), 4u);
}

TEST_F(Channel, InterruptedWritesAreRetried)
{
	sink.Open(&channel, false);
	sink.plan = {WRITE_INTERRUPTED, WRITE_INTERRUPTED, 2, WRITE_INTERRUPTED};
	Write("abc\n");
	EXPECT_EQ(sink.Bytes(), "abc\r\n");
	EXPECT_EQ(sink.calls, 5);
}

TEST_F(Channel, FailedConsoleWriteLosesOnlyThatLine)
{
	sink.Open(&channel, false);
	sink.plan = {WRITE_FAILED};
	Write("lost\n");
	Write("kept\n");
	EXPECT_EQ(sink.Bytes(), "kept\r\n");
	EXPECT_EQ(sink.calls, 2);
}

TEST_F(Channel, FailureAfterShortWriteIsNotRetried)
{
	sink.Open(&channel, false);
	sink.plan = {2, WRITE_FAILED};
	Write("abcdef\n");
	EXPECT_EQ(sink.Bytes(), "ab");
	EXPECT_EQ(sink.calls, 2);
}

TEST_F(Channel, WriteWithoutProgressIsGivenUp)
{
	sink.Open(&channel, false);
	sink.plan = {0};
	Write("abc\n");
	EXPECT_EQ(sink.calls, 1);
}

TEST_F(Channel, FailedWriteOutEmptiesBufferAndDropsTheNewLine)
{
	sink.Open(&channel, true);
	for (int i = 0; i < 16; i++)
		Write(Line(32, 'a'));
	sink.plan = {WRITE_FAILED};
	Write("dropped\n");
	Write("later\n");
	EXPECT_EQ(sink.calls, 1);
	ChannelFlush(&channel);
	EXPECT_EQ(sink.Bytes(), "later\r\n");
}

TEST_F(Channel, FailedFlushIsSilentAndFinal)
{
	sink.Open(&channel, true);
	sink.plan = {WRITE_FAILED};
	Write("abc\n");
	ChannelFlush(&channel);
	ChannelFlush(&channel);
	EXPECT_EQ(sink.calls, 1);
	EXPECT_TRUE(sink.writes.empty());
}

TEST_F(Channel, OversizedLineIsDropped)
{
	for (bool buffered : {false, true}) {
		sink.Open(&channel, buffered);
		Write(Line(CHANNEL_BUFFER_SIZE + 1));
		Write(Line(CHANNEL_BUFFER_SIZE, 'z'));
		ChannelFlush(&channel);
		EXPECT_EQ(sink.Bytes(), std::string(CHANNEL_BUFFER_SIZE - 1, 'z') + "\r\n");
		sink.writes.clear();
	}
}
