// The entry points through the ECP I/O hooks: the bytes of each call pinned by hand-written packets
// against a scripted port, then the conversation with the printer model in process.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "cbt/Kcbt.h"
#include "platform/Clock.h"
#include "vprinter/model/ControlVerb.h"
#include "vprinter/model/ModelProfile.h"
#include "vprinter/model/VirtualPrinter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace result = cbt::result;

struct Script {
    std::vector<Bytes> written;
    std::deque<Bytes> replies;
    bool failWrites = false;
};

std::int32_t TOLVANE_STDCALL ScriptWrite(void* context, std::uint8_t* buffer, std::uint32_t length,
                                         std::uint32_t* count) {
    auto* script = static_cast<Script*>(context);
    if (script->failWrites) {
        return 0;
    }
    script->written.emplace_back(buffer, buffer + length);
    *count = length;
    return 1;
}

std::int32_t TOLVANE_STDCALL ScriptRead(void* context, std::uint8_t* buffer, std::uint32_t length,
                                        std::uint32_t* count) {
    auto* script = static_cast<Script*>(context);
    *count = 0;
    if (script->replies.empty()) {
        return 0;  // not ready
    }
    Bytes& next = script->replies.front();
    *count = std::min<std::uint32_t>(length, static_cast<std::uint32_t>(next.size()));
    std::memcpy(buffer, next.data(), *count);
    next.erase(next.begin(), next.begin() + *count);
    if (next.empty()) {
        script->replies.pop_front();
    }
    return 1;
}

const cbt::IoHookTable kScriptHooks = {{0, 0, 0, 0}, ScriptWrite, ScriptRead};
const Bytes kOpening = {0x1B, 0x7C, 0x44, 0x34, 0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x00, 0x20};
const Bytes kInitReply = {0x00, 0x00, 0x00, 0x09, 0x01, 0x00, 0x80, 0x00, 0x20};
const Bytes kOpenData = {0x00, 0x00, 0x00, 0x11, 0x01, 0x00, 0x01, 0x40, 0x40,
                         0x80, 0x00, 0x10, 0x00, 0x00, 0x00, 0xFF, 0xFF};
Bytes OpenDataReply(std::uint8_t credit) {
    return {0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x81, 0x00, 0x40, 0x40, 0x80, 0x00, 0x10, 0x00, 0x00, credit};
}
const Bytes kCreditRequest = {0x00, 0x00, 0x00, 0x0D, 0x01, 0x00, 0x04, 0x40, 0x40, 0x00, 0x20, 0xFF, 0xFF};
Bytes CreditRequestReply(std::uint8_t granted) {
    return {0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x84, 0x00, 0x40, 0x40, 0x00, granted};
}

class Scripted : public ::testing::Test {
protected:
    void OpenWithDataChannel(std::uint8_t credit) {
        script.replies = {kInitReply, OpenDataReply(credit)};
        ASSERT_EQ(KCBT_Open(&script, &kScriptHooks, &connection), result::kSuccess);
        ASSERT_NE(connection, nullptr);
        ASSERT_EQ(KCBT_OpenChannel(connection, 0x40), result::kSuccess);
        script.written.clear();
    }
    void TearDown() override {
        if (connection != nullptr) {
            script.failWrites = true;
            KCBT_Close(connection);
        }
    }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    Script script;
    cbt::Connection connection = nullptr;
};

TEST_F(Scripted, OpenEntersPacketModeAndOpenChannelAsksForTheSizes) {
    script.replies = {kInitReply, OpenDataReply(1)};
    ASSERT_EQ(KCBT_Open(&script, &kScriptHooks, &connection), result::kSuccess);
    ASSERT_EQ(KCBT_OpenChannel(connection, 0x40), result::kSuccess);
    ASSERT_EQ(script.written.size(), 2u);
    EXPECT_EQ(script.written[0], kOpening);
    EXPECT_EQ(script.written[1], kOpenData);
}

TEST_F(Scripted, OpenFailsWithoutAHandleWhenThePrinterIsSilent) {
    cbt::Connection none = reinterpret_cast<cbt::Connection>(1);
    EXPECT_EQ(KCBT_Open(&script, &kScriptHooks, &none), result::kNoReply);
    EXPECT_EQ(none, nullptr);
    EXPECT_GE(clock.ElapsedMilliseconds(), 2000u);
    EXPECT_LE(clock.ElapsedMilliseconds(), 2100u);
}

TEST_F(Scripted, WriteSpendsCreditAndAsksForMoreThenReportsRefusalAsRetryable) {
    OpenWithDataChannel(1);
    std::uint32_t length = 2;
    ASSERT_EQ(KCBT_Write(connection, 0x40, reinterpret_cast<const std::uint8_t*>("AB"), &length),
              result::kSuccess);
    EXPECT_EQ(length, 2u);
    ASSERT_EQ(script.written.size(), 1u);
    EXPECT_EQ(script.written[0], (Bytes{0x40, 0x40, 0x00, 0x08, 0x01, 0x01, 0x41, 0x42}));

    script.written.clear();
    script.replies = {CreditRequestReply(0)};
    length = 2;
    const std::int32_t refused =
        KCBT_Write(connection, 0x40, reinterpret_cast<const std::uint8_t*>("CD"), &length);
    EXPECT_LE(refused, -1);
    EXPECT_GE(refused, -49);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(script.written[0], kCreditRequest);

    script.replies = {CreditRequestReply(1)};
    length = 2;
    EXPECT_EQ(KCBT_Write(connection, 0x40, reinterpret_cast<const std::uint8_t*>("CD"), &length),
              result::kSuccess);
    EXPECT_EQ(length, 2u);
}

TEST_F(Scripted, AGonePortIsFatalForWriteAndRead) {
    OpenWithDataChannel(1);
    script.failWrites = true;
    std::uint32_t length = 1;
    EXPECT_LE(KCBT_Write(connection, 0x40, reinterpret_cast<const std::uint8_t*>("A"), &length), -50);
    EXPECT_LT(KCBT_Read(connection, 0x40, nullptr, &length), -50);
}

TEST_F(Scripted, ReadGivesTheWaitingLengthThenTheReplyCutToTheBuffer) {
    OpenWithDataChannel(1);
    script.replies = {{0x40, 0x40, 0x00, 0x0E, 0x00, 0x01, 'V', 'R', ':', '1', '.', '0', '0', ';'}};
    std::uint32_t length = 0;
    ASSERT_EQ(KCBT_Read(connection, 0x40, nullptr, &length), result::kSuccess);
    EXPECT_EQ(length, 8u);
    char buffer[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
    length = 4;
    ASSERT_EQ(KCBT_Read(connection, 0x40, reinterpret_cast<std::uint8_t*>(buffer), &length),
              result::kSuccess);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(std::string(buffer, 8), "VR:1####");
    length = 0;
    EXPECT_EQ(KCBT_Read(connection, 0x40, nullptr, &length), result::kSuccess);
    EXPECT_EQ(length, 0u);
}

TEST_F(Scripted, SleepClosesTheChannelsAndLeavesPacketMode) {
    OpenWithDataChannel(1);
    script.replies = {{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x82, 0x00, 0x40, 0x40},
                      {0x00, 0x00, 0x00, 0x08, 0x01, 0x00, 0x88, 0x00}};
    EXPECT_EQ(KCBT_Sleep(connection), result::kSuccess);
    ASSERT_EQ(script.written.size(), 2u);
    EXPECT_EQ(script.written[0], (Bytes{0x00, 0x00, 0x00, 0x0A, 0x01, 0x00, 0x02, 0x40, 0x40, 0x00}));
    EXPECT_EQ(script.written[1], (Bytes{0x00, 0x00, 0x00, 0x07, 0x01, 0x00, 0x08}));
    std::uint32_t length = 1;
    EXPECT_EQ(KCBT_Write(connection, 0x40, reinterpret_cast<const std::uint8_t*>("A"), &length),
              result::kChannelClosed);
}

TEST_F(Scripted, ForeignHandlesAreRefused) {
    int notOurs = 0;
    std::uint32_t length = 0;
    EXPECT_EQ(KCBT_Write(&notOurs, 0x40, nullptr, &length), result::kBadHandle);
    EXPECT_EQ(KCBT_Read(nullptr, 0x40, nullptr, &length), result::kBadHandle);
    EXPECT_EQ(KCBT_Close(&notOurs), result::kBadHandle);
}

// The printer model behind the hooks.
std::int32_t TOLVANE_STDCALL ModelWrite(void* context, std::uint8_t* buffer, std::uint32_t length,
                                        std::uint32_t* count) {
    const auto written =
        static_cast<vprinter::VirtualPrinter*>(context)->Write(std::span<const std::uint8_t>(buffer, length));
    *count = written.taken;
    return written.disconnected ? 0 : 1;
}

std::int32_t TOLVANE_STDCALL ModelRead(void* context, std::uint8_t* buffer, std::uint32_t length,
                                       std::uint32_t* count) {
    *count =
        static_cast<std::uint32_t>(static_cast<vprinter::VirtualPrinter*>(context)->Read(buffer, length));
    return 1;
}

const cbt::IoHookTable kModelHooks = {{0, 0, 0, 0}, ModelWrite, ModelRead};

vprinter::ModelProfile LoadProfile() {
    vprinter::ModelProfile profile;
    std::string error;
    EXPECT_TRUE(vprinter::LoadModelProfile("VK-572D", &profile, &error)) << error;
    return profile;
}

class AgainstThePrinter : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(printer.Open());
        ASSERT_EQ(KCBT_Open(&printer, &kModelHooks, &connection), result::kSuccess);
    }
    void TearDown() override { KCBT_Close(connection); }
    void Control(const std::string& words) {
        ASSERT_TRUE(vprinter::ApplyControl(printer, words).ok) << words;
    }
    std::string StatusExchange() {
        const std::uint8_t status[] = {'s', 't', 0x01, 0x00, 0x01};
        std::uint32_t length = sizeof status;
        EXPECT_EQ(KCBT_Write(connection, 2, status, &length), result::kSuccess);
        length = 0;
        EXPECT_EQ(KCBT_Read(connection, 2, nullptr, &length), result::kSuccess);
        std::string reply(length, '\0');
        EXPECT_EQ(KCBT_Read(connection, 2, reinterpret_cast<std::uint8_t*>(reply.data()), &length),
                  result::kSuccess);
        return reply;
    }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    vprinter::VirtualPrinter printer{LoadProfile(), "USB1"};
    cbt::Connection connection = nullptr;
};

TEST_F(AgainstThePrinter, ControlExchangeOnChannel2AndServicesByName) {
    EXPECT_TRUE(printer.InPacketMode());
    ASSERT_EQ(KCBT_OpenChannel(connection, 2), result::kSuccess);
    EXPECT_EQ(StatusExchange().rfind("@BDC ST\r\nST:04;", 0), 0u);
    std::uint8_t socket = 0;
    EXPECT_EQ(KCBT_GetSocketID(connection, "ORLEX-DATA", &socket), result::kSuccess);
    EXPECT_EQ(socket, 0x40);
    EXPECT_EQ(KCBT_GetSocketID(connection, "NO-SUCH", &socket), result::kRefused);
    char name[6];
    std::uint32_t length = sizeof name;
    EXPECT_EQ(KCBT_GetServiceName(connection, 2, name, &length), result::kSuccess);
    EXPECT_STREQ(name, "ORLEX");  // cut to the buffer
    EXPECT_EQ(KCBT_CloseChannel(connection, 2), result::kSuccess);
}

TEST_F(AgainstThePrinter, SleepAndAwake) {
    ASSERT_EQ(KCBT_OpenChannel(connection, 2), result::kSuccess);
    EXPECT_EQ(KCBT_Sleep(connection), result::kSuccess);
    EXPECT_FALSE(printer.InPacketMode());
    EXPECT_EQ(KCBT_Awake(connection), result::kSuccess);
    EXPECT_TRUE(printer.InPacketMode());
    ASSERT_EQ(KCBT_OpenChannel(connection, 2), result::kSuccess);
    EXPECT_EQ(StatusExchange().rfind("@BDC ST", 0), 0u);
}

TEST_F(AgainstThePrinter, CreditStarvationIsRetryableAndRecovers) {
    Control("credit-starvation=1");
    ASSERT_EQ(KCBT_OpenChannel(connection, 0x40), result::kSuccess);
    const Bytes data(100000, 0x20);
    std::uint32_t length = static_cast<std::uint32_t>(data.size());
    const std::int32_t refused = KCBT_Write(connection, 0x40, data.data(), &length);
    EXPECT_TRUE(refused <= -1 && refused >= -49) << refused;
    Control("credit-starvation=0");
    length = static_cast<std::uint32_t>(data.size());
    EXPECT_EQ(KCBT_Write(connection, 0x40, data.data(), &length), result::kSuccess);
    EXPECT_EQ(length, data.size());
}

TEST_F(AgainstThePrinter, APortDroppedMidWriteIsFatalWithoutHanging) {
    ASSERT_EQ(KCBT_OpenChannel(connection, 0x40), result::kSuccess);
    Control("drop-after=1000");
    const Bytes data(300000, 0x20);
    std::uint32_t length = static_cast<std::uint32_t>(data.size());
    EXPECT_LE(KCBT_Write(connection, 0x40, data.data(), &length), -50);
    EXPECT_LT(length, data.size());
    EXPECT_LT(KCBT_Read(connection, 0x40, nullptr, &length), -50);
    EXPECT_LE(clock.ElapsedMilliseconds(), 3000u);
}

}  // namespace
