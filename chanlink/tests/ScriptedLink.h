// A port for the session tests: every send is recorded, every receive hands out the next scripted
// chunk; an empty script answers as Plexer does when nothing came in time.
#pragma once

#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

#include "ChannelSession.h"

namespace chanlinktest {

using Bytes = std::vector<std::uint8_t>;

class ScriptedLink : public chanlink::PortLink {
public:
    std::uint32_t Send(const std::uint8_t* data, std::uint32_t count, const std::uint8_t* cancel) override {
        if (cancel != nullptr && *cancel == 1) {
            return 0xD000;
        }
        if (failSends) {
            return 0x1000;
        }
        sent.emplace_back(data, data + count);
        return 0x0001;
    }
    std::uint32_t Receive(std::uint8_t* window, std::uint32_t* length) override {
        ++receives;
        if (replies.empty()) {
            return 0x1000;
        }
        Bytes chunk = std::move(replies.front());
        replies.pop_front();
        if (chunk.size() >= 1024) {
            return 0x1000;
        }
        if (!chunk.empty()) {
            std::memcpy(window, chunk.data(), chunk.size());
        }
        *length = static_cast<std::uint32_t>(chunk.size());
        return 0x0001;
    }

    std::vector<Bytes> sent;
    std::deque<Bytes> replies;
    int receives = 0;
    bool failSends = false;
};

}  // namespace chanlinktest
