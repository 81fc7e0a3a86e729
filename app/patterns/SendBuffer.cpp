// Sending the print-data buffer. The printer takes data while it can; when it stops (the driver gives
// up with "retries used up"), its status says why: an error the technician must clear, a state that
// passes by itself, or printing that simply goes on.
#include "drvlib/CWinVexilDrv.h"
#include "patterns/CVexilCommon.h"
#include "patterns/EngineTexts.h"
#include "platform/Clock.h"

using namespace patterns;

namespace {

// SendEx: the printer took nothing more within the driver's retries.
constexpr int kPrinterStoppedTaking = -16;

// The printer's states (the status reply's ST field).
constexpr int kStateError = 0;
// The error code of the error state that the technician clears by loading paper.
constexpr int kErrorPaperOut = 6;
constexpr int kHighestKnownError = 9;

constexpr std::uint32_t kPaperOutPauseMilliseconds = 1000;

enum class StateClass {
    Error,
    PassesBy,  // self test, initialising, cooling down, flash writing: ask whether to look again
    Printing,  // printing, receiving, ready: the rest of the data can go
    Unknown,
};

StateClass ClassOf(int state) {
    switch (state) {
        case kStateError:
            return StateClass::Error;
        case 1:
        case 7:
        case 8:
        case 9:
            return StateClass::PassesBy;
        case 2:
        case 3:
        case 4:
            return StateClass::Printing;
        default:
            return StateClass::Unknown;
    }
}

}  // namespace

bool CVexilCommon::SendBuffer(IJobMessages& messages, const CTolvLangText& texts) {
    const bool sent = SendWatchingStatus(messages, texts);
    EmptyBuffer();
    return sent;
}

bool CVexilCommon::SendWatchingStatus(IJobMessages& messages, const CTolvLangText& texts) {
    if (driver_ == nullptr || overflowed_) {
        messages.Show("SEND BUFFER ERROR", kMessageError);
        return false;
    }
    const unsigned long length = writePosition_;
    unsigned long offset = 0;
    unsigned long sent = 0;
    int result = driver_->SendEx(buffer_.get(), length, offset, &sent);
    // A printer that keeps stopping while it reports printing is given the rest once without a
    // word; after that the technician decides whether to go on.
    bool resumedWithoutAsking = false;
    for (;;) {
        if (result == 0) {
            return true;
        }
        if (result != kPrinterStoppedTaking) {
            messages.Show("SEND BUFFER ERROR", kMessageError);
            return false;
        }
        bool resume = false;
        while (!resume) {
            int state = 0;
            int error = 0;
            if (!GetStatus(&state, &error)) {
                messages.Show(MessageText(texts, 4), kMessageError);
                return false;
            }
            switch (ClassOf(state)) {
                case StateClass::Error:
                    if (error == kErrorPaperOut) {
                        const std::string text = ErrorText(texts, kErrorPaperOut) +
                                                 "\n\nOK:" + MessageText(texts, 1) +
                                                 "\nCANCEL:" + MessageText(texts, 2);
                        if (messages.Show(text, kMessageQuestion) != kAnswerOk) {
                            return false;
                        }
                        platform::Clock().Sleep(kPaperOutPauseMilliseconds);
                        continue;
                    }
                    if (error >= 0 && error <= kHighestKnownError) {
                        messages.Show(ErrorText(texts, error) + "\n\n" + MessageText(texts, 3),
                                      kMessageError);
                    } else {
                        messages.Show("UNKNOWN ERROR\n\n" + MessageText(texts, 3), kMessageError);
                    }
                    return false;
                case StateClass::PassesBy:
                    if (messages.Show(StatusText(texts, state) + "\n\nRETRY GET STATUS", kMessageQuestion) !=
                        kAnswerOk) {
                        return false;
                    }
                    continue;
                case StateClass::Printing:
                    if (resumedWithoutAsking) {
                        if (messages.Show(StatusText(texts, state) + "\n\nRETRY GET STATUS",
                                          kMessageQuestion) != kAnswerOk) {
                            return false;
                        }
                    }
                    resumedWithoutAsking = !resumedWithoutAsking;
                    resume = true;
                    break;
                case StateClass::Unknown:
                    if (messages.Show("UNKNOWN STATUS", kMessageQuestion) != kAnswerOk) {
                        return false;
                    }
                    continue;
            }
        }
        offset += sent;
        result = driver_->SendEx(buffer_.get(), length, offset, &sent);
    }
}
