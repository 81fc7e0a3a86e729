// Writes of the print streams that the printer takes only in part: every byte reaches it exactly
// once and in order, or the write fails with the count it took.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BoundPrinterFixture.h"
#include "printer/CAutoPrinterStream.h"
#include "printer/StreamDebugText.h"

namespace printertest {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Lines of print data numbered from first, so that a repeated or missing stretch shows.
Bytes PrintLines(int first, std::size_t size) {
    std::string text;
    for (int line = first; text.size() < size; ++line) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "line %05d ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n", line);
        text += buffer;
    }
    text.resize(size);
    return Bytes(text.begin(), text.end());
}

// The process clock with something done at each of the stream's pauses between write attempts: the
// printer's state changes between two attempts.
class PauseHookClock : public platform::IClock {
public:
    PauseHookClock(platform::IClock& inner, std::function<void()> atPause)
        : inner_(inner), atPause_(std::move(atPause)) {
        platform::SetClock(this);
    }
    ~PauseHookClock() override { platform::SetClock(&inner_); }
    PauseHookClock(const PauseHookClock&) = delete;
    PauseHookClock& operator=(const PauseHookClock&) = delete;

    void Sleep(std::uint32_t milliseconds) override {
        inner_.Sleep(milliseconds);
        if (milliseconds == CAutoPrinterStream::kWriteRetryPause) {
            atPause_();
        }
    }
    std::uint32_t TickCount() override { return inner_.TickCount(); }
    platform::LocalTime Now() override { return inner_.Now(); }

private:
    platform::IClock& inner_;
    std::function<void()> atPause_;
};

class StreamWrite : public BoundPrinter {
protected:
    void TearDown() override {
        if (stream != nullptr) {
            stream->Release();
        }
        BoundPrinter::TearDown();
    }
    platform::HResult Write(const Bytes& data, std::uint32_t* written) {
        return stream->Write(data.data(), static_cast<std::uint32_t>(data.size()), written);
    }
    const Bytes& Arrived() { return ports.Written("USB1"); }
    // Print data compares as text, so that a failure shows which lines came twice or not at all.
    std::string ArrivedText() { return std::string(Arrived().begin(), Arrived().end()); }
    static std::string Text(Bytes::const_iterator begin, Bytes::const_iterator end) {
        return std::string(begin, end);
    }

    printer::ScopedStreamDebugRecorder debug;
    platform::ISequentialStream* stream = nullptr;
};

// A file sent in 1024-byte chunks over a line that drops 1500 bytes in: the second chunk is cut after
// 476 bytes, and the retry must carry on from byte 477 rather than send the chunk again.
TEST_F(StreamWrite, AChunkCutShortIsFinishedFromWhereThePrinterStopped) {
    ASSERT_EQ(CreatePrinterStream(&stream, kUsb1), 1);
    ports.Control("USB1", "drop-after=1500");
    const Bytes file = PrintLines(1, 3 * 1024);
    for (std::size_t offset = 0; offset < file.size(); offset += 1024) {
        const Bytes chunk(file.begin() + static_cast<std::ptrdiff_t>(offset),
                          file.begin() + static_cast<std::ptrdiff_t>(offset + 1024));
        std::uint32_t written = 0;
        ASSERT_EQ(Write(chunk, &written), platform::kSOk) << offset;
        EXPECT_EQ(written, 1024u) << offset;
    }
    EXPECT_EQ(ArrivedText(), Text(file.begin(), file.end()));
    // One failed attempt, one pause.
    EXPECT_EQ(debug.Text(), ":\n");
    EXPECT_EQ(clock.ElapsedMilliseconds(), 50u);
    EXPECT_EQ(ports.OpenNow("USB1"), 0);
}

// Cut once, then the port refuses to open: three attempts in a row that move nothing end the write,
// which reports the bytes the printer took and has sent none of them twice.
TEST_F(StreamWrite, APrinterThatStopsTakingDataFailsTheWriteWithTheCountItTook) {
    ASSERT_EQ(CreatePrinterStream(&stream, kUsb1), 1);
    ports.Control("USB1", "drop-after=700");
    PauseHookClock hook(clock, [&] { ports.Control("USB1", "offline=refuse"); });
    const Bytes chunk = PrintLines(1, 1024);
    const int opensBefore = ports.OpenCount("USB1");
    std::uint32_t written = 0;
    EXPECT_EQ(Write(chunk, &written), platform::kSFalse);
    EXPECT_EQ(written, 700u);
    EXPECT_EQ(ArrivedText(), Text(chunk.begin(), chunk.begin() + 700));
    // The cut attempt and three refused opens, each followed by a pause.
    EXPECT_EQ(ports.OpenCount("USB1") - opensBefore, 4);
    EXPECT_EQ(debug.Text(), "::::\n");
    EXPECT_EQ(clock.ElapsedMilliseconds(), 200u);
}

// A line that drops every 100 bytes, five times over, still delivers the whole write: attempts that
// move bytes do not use up the retries.
TEST_F(StreamWrite, AttemptsThatMoveBytesDoNotUseUpTheRetries) {
    ASSERT_EQ(CreatePrinterStream(&stream, kUsb1), 1);
    const Bytes chunk = PrintLines(1, 1024);
    int drops = 1;
    ports.Control("USB1", "drop-after=100");
    PauseHookClock hook(clock, [&] {
        if (drops < 5) {
            ++drops;
            ports.Control("USB1", "drop-after=100");
        }
    });
    std::uint32_t written = 0;
    EXPECT_EQ(Write(chunk, &written), platform::kSOk);
    EXPECT_EQ(written, 1024u);
    EXPECT_EQ(ArrivedText(), Text(chunk.begin(), chunk.end()));
    EXPECT_EQ(debug.Text(), ":::::\n");
}

// The channel library does not say how much of a failed send reached the printer: the write fails at
// once and the data is not sent a second time.
TEST_F(StreamWrite, AChannelSendCutShortIsNotSentAgain) {
    ASSERT_EQ(CreateD4Stream(&stream, kUsb1), 1);
    // A whole write first, to learn how many bytes the channel set-up takes before the data.
    const Bytes first = PrintLines(1, 2000);
    std::uint32_t written = 0;
    ASSERT_EQ(Write(first, &written), platform::kSOk);
    const auto firstData = std::search(Arrived().begin(), Arrived().end(), first.begin(), first.begin() + 20);
    ASSERT_NE(firstData, Arrived().end());
    const auto setUp = static_cast<std::size_t>(firstData - Arrived().begin());
    const std::size_t before = Arrived().size();

    ports.Control("USB1", "drop-after=" + std::to_string(setUp + 1000));
    const Bytes second = PrintLines(1000, 2000);
    const int opensBefore = ports.OpenCount("USB1");
    EXPECT_EQ(Write(second, &written), platform::kSFalse);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(ports.OpenCount("USB1") - opensBefore, 1);
    // The port driver's write error closes the debug output.
    EXPECT_EQ(debug.Text(), std::string(":\n") + CAutoPrinterD4Stream::IoErrorText(-81));
    const Bytes tail(Arrived().begin() + static_cast<std::ptrdiff_t>(before), Arrived().end());
    const Bytes head(second.begin(), second.begin() + 20);
    EXPECT_EQ(std::search(tail.begin(), tail.end(), head.begin(), head.end()) - tail.begin(),
              static_cast<std::ptrdiff_t>(setUp));
    EXPECT_EQ(tail.size(), setUp + 1000);
}

}  // namespace
}  // namespace printertest
