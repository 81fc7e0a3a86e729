#include "ProgressBar.h"

#include <ostream>

#include "platform/Clock.h"

namespace tolvane_cli {

ProgressBar::ProgressBar(std::ostream& stream, bool terminal, std::string label, int steps)
    : stream_(&stream),
      terminal_(terminal),
      label_(std::move(label)),
      steps_(steps > 0 ? steps : 1),
      start_(platform::Clock().TickCount()) {}

ProgressBar::ProgressBar(ProgressBar&& other) noexcept
    : stream_(other.stream_),
      terminal_(other.terminal_),
      label_(std::move(other.label_)),
      steps_(other.steps_),
      done_(other.done_),
      start_(other.start_),
      drawn_(other.drawn_),
      finished_(other.finished_) {
    other.finished_ = true;
    other.drawn_ = false;
}

ProgressBar::~ProgressBar() {
    Finish();
}

void ProgressBar::Step() {
    if (finished_) {
        return;
    }
    done_ = done_ < steps_ ? done_ + 1 : steps_;
    if (!terminal_ || platform::Clock().TickCount() - start_ < kShowAfterMs) {
        return;
    }
    const int filled = done_ * kWidth / steps_;
    *stream_ << '\r' << label_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << done_ << "/" << steps_
             << std::flush;
    drawn_ = true;
}

void ProgressBar::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    if (drawn_) {
        // Blank the line the bar took, so the next message starts on a clean line.
        *stream_ << '\r' << std::string(label_.size() + static_cast<std::size_t>(kWidth) + 16, ' ') << '\r'
                 << std::flush;
    }
}

}  // namespace tolvane_cli
