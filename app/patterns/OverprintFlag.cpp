#include "patterns/OverprintFlag.h"

#include <atomic>

namespace patterns {

namespace {

// The sensor page's refresh thread runs jobs too; it never prints a pattern, but reads stay clean.
std::atomic<bool> overprintPending{false};

}  // namespace

bool OverprintPending() {
    return overprintPending.load();
}

void SetOverprintPending(bool pending) {
    overprintPending.store(pending);
}

}  // namespace patterns
