#include <gtest/gtest.h>

#include "printer/CPrinterErrorCallback.h"
#include "testsupport/MessageRecorder.h"

namespace {

constexpr char kInterfaceError[] = "Interface Error\nMake sure cable connection\nand Printer Status.";

TEST(PrinterErrorCallback, EachCodeShowsItsTextOnceAsAnErrorAndIsReturned) {
    const struct {
        int code;
        const char* text;
    } rows[] = {
        {0, kInterfaceError}, {1, "Cannot Send Data"}, {2, "Cannot Read EEPROM"},
        {3, kInterfaceError}, {4, "No Reply"},
    };
    IPrinterErrorCallback* callback = nullptr;
    ASSERT_EQ(CreatePrinterErrorCallback(&callback), 1);
    for (const auto& row : rows) {
        testsupport::MessageRecorder recorder;
        EXPECT_EQ(callback->OnError(row.code), row.code);
        ASSERT_EQ(recorder.Texts(), std::vector<std::string>{row.text}) << row.code;
        EXPECT_EQ(recorder.Messages()[0].icon, platform::MessageIcon::Stop);
    }
    EXPECT_EQ(callback->Release(), 0);
}

TEST(PrinterErrorCallback, CodesWithoutAMessageShowNothing) {
    IPrinterErrorCallback* callback = nullptr;
    ASSERT_EQ(CreatePrinterErrorCallback(&callback), 1);
    testsupport::MessageRecorder recorder;
    EXPECT_EQ(callback->OnError(7), 7);
    EXPECT_EQ(callback->OnError(-1), -1);
    EXPECT_EQ(callback->OnError(5), 5);
    EXPECT_TRUE(recorder.Texts().empty());
    callback->Release();
}

// The factories hand out the only reference: one Release ends the object, and every
// QueryInterface, whatever it asks for, gives the object itself with one more reference.
TEST(ReferenceCounting, TheFactoryHandsOutTheOnlyReference) {
    IPrinterErrorCallback* callback = nullptr;
    ASSERT_EQ(CreatePrinterErrorCallback(&callback), 1);
    auto* counted = static_cast<CPrinterErrorCallback*>(callback);
    EXPECT_EQ(counted->ReferenceCount(), 1);
    void* other = nullptr;
    EXPECT_EQ(callback->QueryInterface(platform::kIidISequentialStream, &other), platform::kSOk);
    EXPECT_EQ(other, static_cast<void*>(callback));
    EXPECT_EQ(callback->AddRef(), 3);
    EXPECT_EQ(callback->Release(), 2);
    EXPECT_EQ(callback->Release(), 1);
    EXPECT_EQ(callback->Release(), 0);
}

}  // namespace
