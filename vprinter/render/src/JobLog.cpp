#include "render/JobLog.h"

#include <cstdio>

namespace vprinter::render {

void JobLog::Begin(int jobNumber, const platform::LocalTime& started) {
    *this = JobLog{};
    jobNumber_ = jobNumber;
    started_ = started;
}

void JobLog::Event(std::string text) {
    if (events_.size() < kMostEvents) {
        events_.push_back(std::move(text));
    } else {
        ++eventsLeftOut_;
    }
}

void JobLog::PrintedText(std::string line) {
    if (text_.size() < kMostTextLines) {
        text_.push_back(std::move(line));
    } else {
        ++textLeftOut_;
    }
}

void JobLog::Page(std::string fileName, bool finished) {
    pages_.push_back(fileName + (finished ? " (left the printer)" : " (still in the printer)"));
}

std::string JobLog::Render(const std::string& printerName) const {
    char head[160];
    std::snprintf(head, sizeof head, "Job %d on %s, %04d-%02d-%02d %02d:%02d:%02d\n", jobNumber_,
                  printerName.c_str(), started_.year, started_.month, started_.day, started_.hour,
                  started_.minute, started_.second);
    std::string text = head;
    text += "Bytes received: " + std::to_string(bytes) + "\n";
    text += "Characters: " + std::to_string(characters) + " (user-defined " +
            std::to_string(userDefinedCharacters) +
            "), bit-image columns: " + std::to_string(bitImageColumns) + "\n";
    text += "Head passes: " + std::to_string(passes) + " (" + std::to_string(rightToLeftPasses) +
            " right to left)\n";
    if (blankPagesEjected > 0) {
        text += "Blank pages ejected (no image written): " + std::to_string(blankPagesEjected) + "\n";
    }
    text += "Pages:\n";
    if (pages_.empty()) {
        text += "  none\n";
    }
    for (const auto& page : pages_) {
        text += "  " + page + "\n";
    }
    if (!events_.empty()) {
        text += "Events:\n";
        for (const auto& event : events_) {
            text += "  " + event + "\n";
        }
        if (eventsLeftOut_ > 0) {
            text += "  ... and " + std::to_string(eventsLeftOut_) + " more\n";
        }
    }
    if (!text_.empty()) {
        text += "Printed text:\n";
        for (const auto& line : text_) {
            text += "  | " + line + "\n";
        }
        if (textLeftOut_ > 0) {
            text += "  ... and " + std::to_string(textLeftOut_) + " more lines\n";
        }
    }
    return text;
}

}  // namespace vprinter::render
