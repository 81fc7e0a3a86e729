#include <string>

#include "EngineFixture.h"
#include "drvlib/CWinVexilDrv.h"
#include "patterns/CPattern.h"

using namespace patterns;
using namespace enginetest;

namespace {

// The printer stops taking data once the credit it granted at the start is used up: the driver then
// gives up with "retries used up" and the engine looks at the status.
class SendBuffer : public EngineFixture {
protected:
    SendBuffer() : pattern(model) {
        pattern.AttachDriver(&driver);
        platform::CString name;
        EXPECT_EQ(pattern.Open(11, &name), 0);
        EXPECT_EQ(name, "ORLEX VK-572D");
    }
    ~SendBuffer() override { pattern.Close(); }

    // Numbered lines of plain text, long enough to outlast the printer's first credit many times.
    Bytes FillWithLines(int lines = 400) {
        std::string text;
        for (int line = 0; line < lines; ++line) {
            text += "line " + std::to_string(line) + " 0123456789 abcdefghij\r\n";
        }
        pattern.AppendText(text);
        return Bytes(text.begin(), text.end());
    }
    // From the first print data on, the printer grants no more credit and reports these words.
    // Credit comes back at the first exchange after the stop that is not one of the driver's
    // one-second write retries: the engine's status read. With `everyTime` the printer stops again
    // at the next data.
    void StopTakingDataWith(const std::string& words, bool everyTime = false) {
        printed.onData = [this, words] {
            if (!stopped) {
                stopped = true;
                starving = true;
                ports.Control("USB1", "credit-starvation=1 " + words);
            }
        };
        clock.onSleep = [this, everyTime](std::uint32_t milliseconds) {
            if (starving && milliseconds != 1000) {
                starving = false;
                stopped = !everyTime;
                ports.Control("USB1", "credit-starvation=0");
            }
        };
    }

    CWinVexilDrv driver;
    CPattern pattern;
    bool stopped = false;
    bool starving = false;
};

}  // namespace

TEST_F(SendBuffer, APrinterThatTakesEverythingNeedsNoMessage) {
    const Bytes text = FillWithLines(20);
    EXPECT_TRUE(pattern.SendBuffer(technician, texts));
    EXPECT_EQ(printed.data, text);
    EXPECT_EQ(pattern.WritePosition(), 0u);
    EXPECT_TRUE(technician.shown.empty());
}

// Every byte arrives once and in order: the resume starts at the count the printer took.
TEST_F(SendBuffer, StatesTwoToFourResumeFromTheSentCount) {
    for (const char* state : {"state=3", "state=2", "state=4"}) {
        SCOPED_TRACE(state);
        printed.data.clear();
        stopped = false;
        const Bytes text = FillWithLines();
        StopTakingDataWith(state);
        const std::uint64_t before = clock.clock.ElapsedMilliseconds();
        EXPECT_TRUE(pattern.SendBuffer(technician, texts));
        // The driver's seventeen one-second retries ran out before the engine looked at the status.
        EXPECT_GE(clock.clock.ElapsedMilliseconds() - before, 17000u);
        EXPECT_TRUE(stopped);
        EXPECT_EQ(printed.data, text);
        EXPECT_TRUE(technician.shown.empty());
        EXPECT_EQ(pattern.WritePosition(), 0u);
    }
}

// A printer that keeps stopping while it claims to print gets one silent resume; then the technician
// is asked, and Cancel ends the send instead of a loop nobody can leave.
TEST_F(SendBuffer, ASecondStopWhilePrintingAsksBeforeResuming) {
    FillWithLines();
    StopTakingDataWith("state=2", true);
    technician.answers = {kAnswerCancel};
    EXPECT_FALSE(pattern.SendBuffer(technician, texts));
    ASSERT_EQ(technician.shown.size(), 1u);
    EXPECT_EQ(technician.shown[0].text, "status 2\n\nRETRY GET STATUS");
    EXPECT_EQ(technician.shown[0].type, kMessageQuestion);
    EXPECT_EQ(pattern.WritePosition(), 0u);
}

TEST_F(SendBuffer, AnUnknownStateRepeatsUntilAnotherComesAndCancelEndsIt) {
    FillWithLines();
    StopTakingDataWith("state=6");
    technician.answers = {kAnswerOk, kAnswerOk, kAnswerCancel};
    technician.onMessage = [this](const std::string&) {
        if (technician.shown.size() == 2) {
            ports.Control("USB1", "state=8");
        }
    };
    EXPECT_FALSE(pattern.SendBuffer(technician, texts));
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"UNKNOWN STATUS", "UNKNOWN STATUS", "status 8\n\nRETRY GET STATUS"}));
    for (const ShownMessage& message : technician.shown) {
        EXPECT_EQ(message.type, kMessageQuestion);
    }
    EXPECT_EQ(pattern.WritePosition(), 0u);
}

TEST_F(SendBuffer, APassingStateAsksUntilItPassesThenTheRestGoes) {
    const Bytes text = FillWithLines();
    StopTakingDataWith("state=7");
    technician.onMessage = [this](const std::string&) { ports.Control("USB1", "state=3"); };
    EXPECT_TRUE(pattern.SendBuffer(technician, texts));
    EXPECT_EQ(Texts(), std::vector<std::string>{"status 7\n\nRETRY GET STATUS"});
    EXPECT_EQ(printed.data, text);
}

TEST_F(SendBuffer, PaperOutAsksToLoadPaperWaitsASecondAndCancelStops) {
    FillWithLines();
    StopTakingDataWith("paper-out=1");
    technician.answers = {kAnswerOk, kAnswerCancel};
    std::uint64_t firstAnswered = 0;
    std::uint64_t secondAsked = 0;
    technician.onMessage = [&](const std::string&) {
        (technician.shown.size() == 1 ? firstAnswered : secondAsked) = clock.clock.ElapsedMilliseconds();
    };
    EXPECT_FALSE(pattern.SendBuffer(technician, texts));
    const std::string asked = "error 6\n\nOK:message 1\nCANCEL:message 2";
    EXPECT_EQ(Texts(), (std::vector<std::string>{asked, asked}));
    EXPECT_EQ(technician.shown[0].type, kMessageQuestion);
    // A second for the paper, and the status read's own exchange.
    EXPECT_GE(secondAsked - firstAnswered, 1000u);
    EXPECT_LT(secondAsked - firstAnswered, 2000u);
    EXPECT_EQ(pattern.WritePosition(), 0u);
}

TEST_F(SendBuffer, ErrorCodesShowTheirTextAndFail) {
    const struct {
        const char* words;
        std::string shown;
    } cases[] = {
        {"error-state=0", "error 0\n\nmessage 3"},        {"error-state=3", "error 3\n\nmessage 3"},
        {"error-state=9", "error 9\n\nmessage 3"},        {"error-state=10", "UNKNOWN ERROR\n\nmessage 3"},
        {"error-state=42", "UNKNOWN ERROR\n\nmessage 3"},
    };
    for (const auto& errorCase : cases) {
        SCOPED_TRACE(errorCase.words);
        technician.shown.clear();
        stopped = false;
        ports.Control("USB1", "error-state=-1");
        FillWithLines();
        StopTakingDataWith(errorCase.words);
        EXPECT_FALSE(pattern.SendBuffer(technician, texts));
        ASSERT_EQ(technician.shown.size(), 1u);
        EXPECT_EQ(technician.shown[0].text, errorCase.shown);
        EXPECT_EQ(technician.shown[0].type, kMessageError);
        EXPECT_EQ(pattern.WritePosition(), 0u);
    }
}

TEST_F(SendBuffer, APrinterThatFallsSilentEndsWithTheNoAnswerMessage) {
    FillWithLines();
    StopTakingDataWith("offline=silent");
    EXPECT_FALSE(pattern.SendBuffer(technician, texts));
    EXPECT_EQ(Texts(), std::vector<std::string>{"message 4"});
    EXPECT_EQ(pattern.WritePosition(), 0u);
}

TEST_F(SendBuffer, ALineThatDropsMidSendFailsTheSend) {
    FillWithLines();
    ports.Control("USB1", "drop-after=2000");
    EXPECT_FALSE(pattern.SendBuffer(technician, texts));
    EXPECT_EQ(Texts(), std::vector<std::string>{"SEND BUFFER ERROR"});
    EXPECT_EQ(pattern.WritePosition(), 0u);
}

TEST_F(SendBuffer, ABufferThatOverflowedIsNeverSent) {
    FillWithLines(20);
    const std::vector<std::uint8_t> tooMuch(CVexilCommon::kBufferSize, 'x');
    EXPECT_FALSE(pattern.Append(tooMuch.data(), tooMuch.size()));
    EXPECT_FALSE(pattern.SendBuffer(technician, texts));
    EXPECT_EQ(Texts(), std::vector<std::string>{"SEND BUFFER ERROR"});
    EXPECT_TRUE(printed.data.empty());
    EXPECT_EQ(pattern.WritePosition(), 0u);
}

TEST_F(SendBuffer, ProductionReadsUseTheModelsIdentifierBytesAndAddressForm) {
    ports.Control("USB1", "sensors=0x35 rom=2.07 poke=0x30:0x5A");
    std::uint8_t sensors = 0;
    EXPECT_TRUE(pattern.ReadSensorByte(sensors));
    EXPECT_EQ(sensors, 0x35);
    std::string version;
    EXPECT_TRUE(pattern.ReadRomVersion(version));
    EXPECT_EQ(version, "2.07");
    std::uint8_t value = 0;
    EXPECT_TRUE(pattern.ReadEepromByte(0x30, value));
    EXPECT_EQ(value, 0x5A);
    int state = -1;
    int error = -1;
    EXPECT_TRUE(pattern.GetStatus(&state, &error));
    EXPECT_EQ(state, 4);
}

// The complement write takes its value from the printer; a read that got no byte must never become
// a write of 0xFF.
TEST_F(SendBuffer, TheComplementWriteFollowsTheReadAndStopsWhenItFails) {
    ports.Control("USB1", "poke=0x30:0x5A");
    EXPECT_TRUE(pattern.ComplementWrite(0x30, pattern.EepromReader()));
    EXPECT_EQ(Bytes(pattern.Bytes().begin(), pattern.Bytes().end()),
              (Bytes{0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x05, 0xFA, 0x82, 0x31, 0xA5}));
    pattern.EmptyBuffer();

    ports.Control("USB1", "offline=silent");
    EXPECT_FALSE(pattern.ComplementWrite(0x30, pattern.EepromReader()));
    EXPECT_EQ(pattern.WritePosition(), 0u);
    std::uint8_t value = 0x77;
    EXPECT_FALSE(pattern.ReadEepromByte(0x30, value));
    EXPECT_FALSE(pattern.GetStatus(nullptr, nullptr));
}

TEST(Connection, WithoutADriverNothingIsOpenedReadOrSent) {
    CPattern pattern(patterns::PatternModel{});
    platform::CString name;
    EXPECT_LT(pattern.Open(11, &name), 0);
    std::uint8_t sensors = 0;
    EXPECT_FALSE(pattern.ReadSensorByte(sensors));
    std::string text;
    EXPECT_FALSE(pattern.SensorCheck({0, 0, 1, 1, 0, 0}, text));
    EXPECT_EQ(text, "\r\n\n Reply Error");
}
