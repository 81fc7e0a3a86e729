// The short account of one print job that lands beside its pages: what arrived, what was printed, the
// factory commands seen and anything the printer had to refuse.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace vprinter::render {

class JobLog {
public:
    // Limits that keep a hostile job's log small.
    static constexpr std::size_t kMostEvents = 200;
    static constexpr std::size_t kMostTextLines = 200;

    void Begin(int jobNumber, const platform::LocalTime& started);
    int JobNumber() const { return jobNumber_; }
    const platform::LocalTime& Started() const { return started_; }

    void Event(std::string text);        // a factory command, a refusal, a skipped command
    void PrintedText(std::string line);  // the characters of one printed line, as text
    void Page(std::string fileName, bool finished);

    std::size_t bytes = 0;
    std::size_t characters = 0;
    std::size_t userDefinedCharacters = 0;
    std::size_t bitImageColumns = 0;
    std::size_t passes = 0;
    std::size_t rightToLeftPasses = 0;
    std::size_t blankPagesEjected = 0;

    const std::vector<std::string>& Events() const { return events_; }
    const std::vector<std::string>& Text() const { return text_; }
    std::string Render(const std::string& printerName) const;

private:
    int jobNumber_ = 0;
    platform::LocalTime started_;
    std::vector<std::string> events_;
    std::size_t eventsLeftOut_ = 0;
    std::vector<std::string> text_;
    std::size_t textLeftOut_ = 0;
    std::vector<std::string> pages_;
};

}  // namespace vprinter::render
