// tolvane info, status and sensors against the virtual VK-572D at USB1: what the printer holds and
// reports is set at the printer first, then the output, the --json objects, the --watch repetitions
// and the exit statuses are checked.
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "CliOverTcp.h"
#include "Watch.h"

namespace clitest {
namespace {

// Stands in for Ctrl+C: once the virtual time passed `interruptAt` ms, the watch is asked to end;
// `hook` runs once when the time passes `hookAt` ms, to change the printer between two readings. Only
// the thread that runs the command acts; the server's threads sleep on the same clock.
class InterruptingClock : public platform::VirtualClock {
public:
    InterruptingClock(std::uint64_t interruptAt, std::uint64_t hookAt = 0, std::function<void()> hook = {})
        : interruptAt_(interruptAt), hookAt_(hookAt), hook_(std::move(hook)) {}

    void Sleep(std::uint32_t milliseconds) override {
        VirtualClock::Sleep(milliseconds);
        if (std::this_thread::get_id() != command_) {
            return;
        }
        if (hook_ && ElapsedMilliseconds() >= hookAt_) {
            std::exchange(hook_, nullptr)();
        }
        if (ElapsedMilliseconds() >= interruptAt_) {
            tolvane_cli::InterruptRequested().store(true);
        }
    }

private:
    std::thread::id command_ = std::this_thread::get_id();
    std::uint64_t interruptAt_;
    std::uint64_t hookAt_;
    std::function<void()> hook_;
};

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

class StatusCommands : public CliOverTcp {
protected:
    // The bytes the printer has taken from the host so far.
    std::string BytesReceived() {
        const std::string report = Control("get");
        const std::size_t at = report.find("bytes-received=");
        return report.substr(at, report.find('\n', at) - at);
    }

    // The 18 serial bytes from 0xE0, the character table word at 0x21/0x22, the direction at 0x23,
    // the IBM table at 0x24 and the page length word at 0x25/0x26.
    void StoreSettings(const std::string& serial, int table, int direction, int ibm, int length) {
        for (int i = 0; i < 18; ++i) {
            Poke(0xE0 + i, i < static_cast<int>(serial.size()) ? static_cast<unsigned char>(serial[i]) : 0);
        }
        Poke(0x21, table & 0xFF);
        Poke(0x22, table >> 8);
        Poke(0x23, direction);
        Poke(0x24, ibm);
        Poke(0x25, length & 0xFF);
        Poke(0x26, length >> 8);
    }
};

TEST_F(StatusCommands, InfoShowsWhatTheInformationPageReads) {
    StoreSettings("ABC123", 1, 2, 1, 3960);
    const CliRun text = Run({"info"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out,
              "Device ID:           ORLEX VK-572D\n"
              "USB S/No.:           ABC123\n"
              "Character Table:     PC 850\n"
              "Printing Direction:  Auto\n"
              "IBM Character:       Table1\n"
              "Page Length:         11\"\n");

    // 4319/360 is still 11 inches; unknown values are named so; the THAI customer's own tables.
    StoreSettings("SERIAL0123456789XY", 0, 7, 9, 4319);
    const CliRun json = Run({"--customer", "THAI", "info", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(
        json.out,
        "{\"port\":\"USB1\",\"profile\":\"VK-572D\",\"customer\":\"THAI\",\"model\":\"VK-572D\","
        "\"deviceId\":\"ORLEX VK-572D\",\"usbSerial\":\"SERIAL0123456789XY\",\"characterTable\":\"KU 42\","
        "\"printingDirection\":\"unknown\",\"ibmCharacter\":\"unknown\",\"pageLength\":\"11\\\"\"}\n");

    // A serial byte a terminal cannot show stays out of the text; --json keeps it escaped.
    StoreSettings(
        "AB\x1b"
        "C",
        0, 0, 0, 3960);
    EXPECT_NE(Run({"info"}).out.find("USB S/No.:           AB.C\n"), std::string::npos);
    EXPECT_NE(Run({"info", "--json"}).out.find("\"usbSerial\":\"AB\\u001BC\""), std::string::npos);
}

TEST_F(StatusCommands, StatusNamesCodesWithTheLanguageTexts) {
    Control("state=4 error=0");
    const CliRun ready = Run({"status"});
    ASSERT_EQ(ready.status, 0) << ready.err;
    EXPECT_EQ(ready.out, "status: 4 Ready\nerror: 0\n");

    // The error code is named only while the status reports an error.
    Control("state=0 error=6");
    const CliRun failing = Run({"status"});
    ASSERT_EQ(failing.status, 0) << failing.err;
    EXPECT_EQ(failing.out, "status: 0 Error\nerror: 6 Paper out\n");
    EXPECT_EQ(
        Run({"status", "--json"}).out,
        "{\"status\":0,\"statusText\":\"Error\",\"error\":6,\"errorText\":\"Paper out\",\"ready\":false,"
        "\"offline\":false}\n");

    Control("state=5 error=6");
    EXPECT_EQ(
        Run({"status", "--json"}).out,
        "{\"status\":5,\"statusText\":\"Pause (press the Online button)\",\"error\":6,\"errorText\":\"\","
        "\"ready\":false,\"offline\":false}\n");

    // Codes beyond the language's lists have no text rather than another code's.
    Control("state=0 error=31");
    EXPECT_EQ(Run({"status"}).out, "status: 0 Error\nerror: 31 \n");
    Control("state=20 error=0");
    EXPECT_EQ(Run({"status"}).out, "status: 20 \nerror: 0\n");
}

TEST_F(StatusCommands, AReadingWithoutAnAnswerFailsByWhatDidNotAnswer) {
    // The port opens but the printer says nothing: the printer failed.
    Control("offline=silent");
    for (const char* command : {"status", "info", "sensors"}) {
        const CliRun silent = Run({command});
        EXPECT_EQ(silent.status, 1) << command << ": " << silent.err;
        EXPECT_EQ(silent.out, "") << command;
    }
    EXPECT_NE(Run({"status"}).err.find("OFFLINE"), std::string::npos);

    // The printer refuses the port, or no printer is there: nothing answered.
    Control("offline=refuse");
    for (const char* command : {"status", "info", "sensors"}) {
        const CliRun refused = Run({command});
        EXPECT_EQ(refused.status, 3) << command << ": " << refused.err;
        EXPECT_NE(refused.err.find("no printer answered on USB1"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(Run({"--port", "USB7", "status"}).status, 3);
}

TEST_F(StatusCommands, BadWordsAreRefusedBeforeAnythingIsSent) {
    const std::string before = BytesReceived();
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"info", "now"},
                                                      {"info", "--watch"},
                                                      {"status", "ready"},
                                                      {"sensors", "all"},
                                                      {"--port", "USB11", "status"},
                                                      {"--profile", "VK-9999", "sensors"}}) {
        const CliRun refused = Run(arguments);
        EXPECT_EQ(refused.status, 2) << arguments[0] << " " << arguments[1];
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(Count(refused.err, "\n"), 1) << refused.err;
    }
    EXPECT_EQ(BytesReceived(), before);
}

TEST_F(StatusCommands, SensorsShowTheEnginesReport) {
    // Carriage home and rear paper set; front and top paper, release lever and platen gap clear.
    Control("sensors=0x05");
    const CliRun text = Run({"sensors"});
    ASSERT_EQ(text.status, 0) << text.err;
    const std::string report =
        "Sensor Status:05(Hex)\n\n"
        "  CR home position\t: Inside\n"
        "  Front paper end\t: Paper out\n"
        "  Rear paper end\t: Paper on\n"
        "  Top paper end\t: Paper out\n"
        "  Release lever\t: Tractor\n"
        "  Platen gap\t: Nomal mode\n";
    EXPECT_EQ(text.out, report);

    Control("sensors=0x3A");
    const CliRun json = Run({"sensors", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(
        json.out.rfind("{\"sensors\":58,\"carriageHome\":\"Outside\",\"frontPaperEnd\":\"Paper on\","
                       "\"rearPaperEnd\":\"Paper out\",\"topPaperEnd\":\"Paper on\",\"releaseLever\":"
                       "\"Friction\",\"platenGap\":\"Copy mode\",\"report\":\"Sensor Status:3a(Hex)\\u000A",
                       0),
        0u)
        << json.out;
    EXPECT_EQ(Count(json.out, "\n"), 1);
}

TEST_F(StatusCommands, StatusWatchRepeatsUntilInterruptedAndOutlivesAnOfflinePrinter) {
    Control("state=4 error=0");
    InterruptingClock watchClock(3500, 1500, [this] { Control("offline=refuse"); });
    const platform::ScopedClock scoped(watchClock);
    const CliRun watched = Run({"status", "--watch", "--json"});
    EXPECT_EQ(watched.status, 0) << watched.err;
    // Readings at about 0, 1, 2 and 3 seconds: the printer refuses the port after the second.
    EXPECT_EQ(watched.out,
              "{\"status\":4,\"statusText\":\"Ready\",\"error\":0,\"errorText\":\"\",\"ready\":true,"
              "\"offline\":false}\n"
              "{\"status\":4,\"statusText\":\"Ready\",\"error\":0,\"errorText\":\"\",\"ready\":true,"
              "\"offline\":false}\n"
              "{\"status\":null,\"statusText\":\"OFFLINE\",\"error\":null,\"errorText\":\"\",\"ready\":false,"
              "\"offline\":true}\n"
              "{\"status\":null,\"statusText\":\"OFFLINE\",\"error\":null,\"errorText\":\"\",\"ready\":false,"
              "\"offline\":true}\n");
}

TEST_F(StatusCommands, SensorsWatchRepeatsAndEndsWithAFailedJob) {
    Control("sensors=0x3F");
    {
        InterruptingClock watchClock(2500);
        const platform::ScopedClock scoped(watchClock);
        const CliRun watched = Run({"sensors", "--watch"});
        EXPECT_EQ(watched.status, 0) << watched.err;
        EXPECT_EQ(Count(watched.out, "Sensor Status:3f(Hex)\n"), 3) << watched.out;
        EXPECT_EQ(Count(watched.out, "Copy mode\n\n"), 3);
    }
    {
        InterruptingClock watchClock(60000, 1500, [this] { Control("offline=refuse"); });
        const platform::ScopedClock scoped(watchClock);
        const CliRun watched = Run({"sensors", "--watch", "--json"});
        EXPECT_EQ(watched.status, 3) << watched.err;
        EXPECT_EQ(Count(watched.out, "{\"sensors\":63,"), 2) << watched.out;
    }
}

}  // namespace
}  // namespace clitest
