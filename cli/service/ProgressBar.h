// A progress bar on a terminal: "label [#####.....] 12/48" redrawn in place. It appears only once the
// work has run for a second, only when the stream is a terminal, and is wiped when the work ends, so
// short commands and scripts reading the error stream never see it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace tolvane_cli {

class ProgressBar {
public:
    static constexpr std::uint32_t kShowAfterMs = 1000;
    static constexpr int kWidth = 30;

    ProgressBar(std::ostream& stream, bool terminal, std::string label, int steps);
    ~ProgressBar();
    ProgressBar(ProgressBar&& other) noexcept;
    ProgressBar& operator=(ProgressBar&&) = delete;
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Step();
    // Wipes the bar if it was drawn; further steps draw nothing.
    void Finish();
    bool Drawn() const { return drawn_; }

private:
    std::ostream* stream_;
    bool terminal_;
    std::string label_;
    int steps_;
    int done_ = 0;
    std::uint32_t start_;
    bool drawn_ = false;
    bool finished_ = false;
};

}  // namespace tolvane_cli
