#include "pages/SensorStatusFlag.h"

namespace pages {

std::atomic<int>& SensorStatusRunning() {
    static std::atomic<int> running{0};
    return running;
}

}  // namespace pages
