// What each job kind prints. Paper widths are the model's columns at 10 cpi; feeds are n/180 inch.
#include <cstdint>

#include "patterns/EngineTexts.h"
#include "patterns/OverprintFlag.h"
#include "patterns/PrintJob.h"
#include "platform/Clock.h"

namespace patterns {

namespace {

// The two paper widths the printed tests know; other models print nothing for them.
constexpr int kWideColumns = 136;
constexpr int kNarrowColumns = 106;
// The narrow model's tests print at the width of a standard sheet.
constexpr int kStandardColumns = 80;

// The printer's state once it has printed everything it was sent, and its error state.
constexpr int kStateReady = 4;
constexpr int kStateError = 0;
constexpr std::uint32_t kStatusPauseMilliseconds = 1000;
// The report takes the printer well under a minute; a printer not ready after this many pauses is
// not going to be.
constexpr int kMostStatusPauses = 51;

// One bi-directional pattern moves the paper this far (4 x 128/180 inch); the next one moves it back.
constexpr std::uint8_t kPatternFeed = 128;
constexpr int kPatternFeeds = 4;

constexpr int kTwentyPagesCount = 20;
constexpr std::uint16_t kTwentyPagesLengthUnits = 3960;

}  // namespace

PrintJob::Outcome PrintJob::FactoryTest() {
    const int columns = context_.model.columns;
    pattern_.Initialise();
    pattern_.Reset();
    pattern_.RepeatByte(7, 3);
    pattern_.Frame(columns);
    pattern_.BlankLines(5);
    pattern_.Reset();
    std::string romVersion;
    if (!ReadRomVersion(romVersion)) {
        return Outcome::Failed;
    }
    pattern_.InformationReport(job_.usbSerialText, romVersion);
    if (WaitAndWrite() == Outcome::Failed) {
        return Outcome::Failed;
    }
    pattern_.CgRomCheck();
    pattern_.BlackBars(4, columns);
    pattern_.BlankLines(1);
    pattern_.WidthRuler(columns, 6);
    pattern_.BlankLines(1);
    pattern_.Feed(86);
    pattern_.Mode1Bar(columns, false, 0);
    pattern_.Mode2Bar(columns, false, 0);
    pattern_.Mode4Bar(columns, false, 0);
    pattern_.BlankLines(1);
    pattern_.NeedleCheck();
    pattern_.Feed(255);
    pattern_.Feed(190);
    SetOverprintPending(false);
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::WaitAndWrite() {
    if (!Send()) {
        FailureEnd();
        return Outcome::Failed;
    }
    if (HasPrinter()) {
        int state = 0;
        for (int pauses = 0;; ++pauses) {
            if (!pattern_.GetStatus(&state, nullptr)) {
                FailureEnd("Can not status");
                return Outcome::Failed;
            }
            if (state == kStateReady) {
                break;
            }
            if (pauses == kMostStatusPauses) {
                FailureEnd("Time out Error");
                return Outcome::Failed;
            }
            platform::Clock().Sleep(kStatusPauseMilliseconds);
        }
    }
    // A customer write that could not be built would leave the printer half set up.
    if (!pattern_.CustomerWrites() || !Send()) {
        FailureEnd();
        return Outcome::Failed;
    }
    if (HasPrinter()) {
        platform::Clock().Sleep(kStatusPauseMilliseconds);
        int state = 0;
        if (!pattern_.GetStatus(&state, nullptr)) {
            FailureEnd("Can not status");
            return Outcome::Failed;
        }
        // The printer goes to its error state when it refuses the setting data.
        if (state == kStateError) {
            FailureEnd(CustomMessageText(context_.texts, 0) + "\r\n" + CustomMessageText(context_.texts, 1));
            return Outcome::Failed;
        }
    }
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::ShortTest() {
    switch (context_.model.columns) {
        case kWideColumns:
            return ShortTest136();
        case kNarrowColumns:
            return ShortTest106();
        default:
            return Outcome::Done;
    }
}

PrintJob::Outcome PrintJob::ShortTest136() {
    const int columns = kWideColumns;
    pattern_.Reset();
    pattern_.BlackBar(columns);
    pattern_.Feed(90);
    pattern_.WidthRuler(columns, 6);
    pattern_.Feed(90);
    std::string romVersion;
    if (!ReadRomVersion(romVersion)) {
        return Outcome::Failed;
    }
    pattern_.InformationReport(job_.usbSerialText, romVersion);
    pattern_.CgRomCheck();
    pattern_.BlankLines(1);
    pattern_.ShadedBand(columns, 6);
    pattern_.Feed(24);
    pattern_.Mode1Bar(columns, false, 0);
    pattern_.Mode2Bar(columns, false, 0);
    pattern_.Mode4Bar(columns, false, 0);
    pattern_.NeedleCheckReverse();
    pattern_.BlankLines(16);
    pattern_.Feed(18);
    pattern_.BottomLine();
    pattern_.FormEnd();
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::ShortTest106() {
    const int columns = kNarrowColumns;
    pattern_.Reset();
    pattern_.BlackBar(columns);
    pattern_.Feed(90);
    pattern_.WidthRuler(kStandardColumns, 6);
    pattern_.Feed(90);
    std::string romVersion;
    if (!ReadRomVersion(romVersion)) {
        return Outcome::Failed;
    }
    pattern_.InformationReport(job_.usbSerialText, romVersion);
    pattern_.CgRomCheck();
    pattern_.BlankLines(1);
    pattern_.ShadedBand(kStandardColumns, 6);
    pattern_.Feed(24);
    pattern_.BackFeedCheck();
    pattern_.Feed(24);
    pattern_.Mode1Bar(kStandardColumns, false, 0);
    pattern_.Mode2Bar(kStandardColumns, false, 0);
    pattern_.Mode4Bar(kStandardColumns, false, 0);
    pattern_.NeedleCheckReverse();
    pattern_.BlankLines(13);
    pattern_.Feed(24);
    pattern_.BottomLine();
    pattern_.FormEnd();
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::PageFrameWithBar() {
    switch (context_.model.columns) {
        case kWideColumns:
            pattern_.Reset();
            pattern_.PrintQuality(0);
            pattern_.PageFrameWithBar(kStandardColumns, 66);
            pattern_.FormEnd();
            break;
        case kNarrowColumns:
            pattern_.Reset();
            pattern_.PrintQuality(0);
            pattern_.PageFrameWithBar(kNarrowColumns, 46);
            pattern_.FormEnd();
            break;
        default:
            break;
    }
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::Bidirectional() {
    const int index = job_.modeIndex;
    const bool knownMode = index >= 0 && index < static_cast<int>(job_.bidirectionalValues.size());
    if (job_.mode == 1) {
        // A mode the printer does not have has no value to write, and no EEPROM byte to write it to.
        if (!knownMode) {
            FailureEnd();
            return Outcome::Failed;
        }
        const auto value =
            static_cast<std::uint8_t>(job_.bidirectionalValues[static_cast<std::size_t>(index)]);
        pattern_.SetBidirectionalValue(static_cast<std::uint8_t>(index), value);
        return Outcome::Done;
    }
    // The paper still stands where the last pattern ended: back to its start, so that this pattern
    // prints over it and the two can be compared line by line.
    if (OverprintPending()) {
        for (int feed = 0; feed < kPatternFeeds; ++feed) {
            pattern_.ReverseFeed(kPatternFeed);
        }
    }
    const int columns = context_.model.columns;
    switch (index) {
        case 0:
            pattern_.Mode1Bar(columns, true, job_.value);
            break;
        case 1:
            pattern_.Mode2Bar(columns, true, job_.value);
            break;
        case 2:
            pattern_.Mode4Bar(columns, true, job_.value);
            break;
        default:
            break;
    }
    for (int feed = 0; feed < kPatternFeeds; ++feed) {
        pattern_.Feed(kPatternFeed);
    }
    SetOverprintPending(true);
    if (!Send()) {
        FailureEnd();
        return Outcome::Failed;
    }
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::SensorReport() {
    std::uint8_t sensors = 0;
    if (!pattern_.ReadSensorByte(sensors)) {
        FailureEnd();
        return Outcome::Failed;
    }
    job_.sensorReport = SensorStatusReportText(sensors);
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::EBlockPage() {
    pattern_.Reset();
    pattern_.EBlock();
    pattern_.FormEnd();
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::PageFramePage() {
    pattern_.Reset();
    pattern_.PrintQuality(0);
    pattern_.SetModeFlag(0);
    if (context_.model.columns == kNarrowColumns) {
        pattern_.PageFrame(1, kStandardColumns, 66);
    } else if (context_.model.columns == kWideColumns) {
        pattern_.PageFrame(1, kWideColumns, 66);
    }
    pattern_.FormEnd();
    return Outcome::Done;
}

PrintJob::Outcome PrintJob::TwentyPages() {
    const int columns = context_.model.columns;
    pattern_.Reset();
    pattern_.PrintQuality(0);
    pattern_.PageLengthUnits(kTwentyPagesLengthUnits);
    pattern_.SetModeFlag(0);
    for (int page = 1; page <= kTwentyPagesCount; ++page) {
        pattern_.PageFrame(page, columns, 64);
        pattern_.FormFeed();
    }
    return Outcome::Done;
}

}  // namespace patterns
