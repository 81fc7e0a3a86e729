#include "d4/CreditLedger.h"

namespace d4 {

bool CreditLedger::Grant(Channel channel, std::uint32_t credit) {
    std::uint32_t& count = credits_[Key(channel)];
    if (credit > largestOutstanding_ || count > largestOutstanding_ - credit) {
        return false;
    }
    count += credit;
    return true;
}

bool CreditLedger::Take(Channel channel) {
    auto found = credits_.find(Key(channel));
    if (found == credits_.end() || found->second == 0) {
        return false;
    }
    --found->second;
    return true;
}

std::uint32_t CreditLedger::Available(Channel channel) const {
    auto found = credits_.find(Key(channel));
    return found == credits_.end() ? 0 : found->second;
}

void CreditLedger::Reset(Channel channel) {
    credits_.erase(Key(channel));
}

}  // namespace d4
