// The reference-counted interface style of the access objects and the progress window: the three
// slots of the system's component base interface, and the byte stream interface built on it. The
// layout follows the system's own so an object can be handed across a module boundary.
#pragma once

#include <cstdint>

namespace platform {

using HResult = std::int32_t;

inline constexpr HResult kSOk = 0;
inline constexpr HResult kSFalse = 1;
inline constexpr HResult kENoInterface = static_cast<HResult>(0x80004002u);

struct Iid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];

    friend bool operator==(const Iid&, const Iid&) = default;
};

inline constexpr Iid kIidIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr Iid kIidISequentialStream = {
    0x0c733a30, 0x2a1c, 0x11ce, {0xad, 0xe5, 0x00, 0xaa, 0x00, 0x44, 0x77, 0x3d}};

class IUnknown {
public:
    virtual HResult QueryInterface(const Iid& iid, void** object) = 0;
    virtual std::int32_t AddRef() = 0;
    virtual std::int32_t Release() = 0;

protected:
    // Objects go through Release only.
    ~IUnknown() = default;
};

class ISequentialStream : public IUnknown {
public:
    // kSOk when the transfer succeeded; the count pointers may be null.
    virtual HResult Read(void* buffer, std::uint32_t count, std::uint32_t* read) = 0;
    virtual HResult Write(const void* data, std::uint32_t count, std::uint32_t* written) = 0;

protected:
    ~ISequentialStream() = default;
};

}  // namespace platform
