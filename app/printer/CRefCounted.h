// The reference counting every access object of the printer layer shares (EEPROM access, printer
// status, print streams, error callback). The count starts at 0; the factory hands the object out
// through one QueryInterface, so the caller holds the only reference and releases it when done.
// Release destroys the object once the count is 0 or less.
//
// QueryInterface ignores the interface id and always gives the object itself: every caller asks for
// the interface it already holds. (The channel print stream answers only the ids it has, and
// overrides it.)
#pragma once

#include <cstdint>
#include <new>
#include <utility>

#include "platform/Unknown.h"

namespace printer {

// Interface: a platform::IUnknown-derived interface whose slot after Release is a virtual destructor.
template <class Interface>
class CRefCounted : public Interface {
public:
    platform::HResult QueryInterface(const platform::Iid&, void** object) override {
        *object = static_cast<Interface*>(this);
        AddRef();
        return platform::kSOk;
    }
    std::int32_t AddRef() override { return ++count_; }
    std::int32_t Release() override {
        if (--count_ <= 0) {
            delete this;
            return 0;
        }
        return count_;
    }

    std::int32_t ReferenceCount() const { return count_; }

private:
    std::int32_t count_ = 0;
};

// The factories' common step: a new Object made from args, handed out as Interface through one
// QueryInterface with iid. 1 on success; 0, with *out null, when the object cannot be allocated.
template <class Object, class Interface, class... Args>
int HandOut(Interface** out, const platform::Iid& iid, Args&&... args) {
    Object* object = new (std::nothrow) Object(std::forward<Args>(args)...);
    if (object == nullptr) {
        *out = nullptr;
        return 0;
    }
    void* given = nullptr;
    object->QueryInterface(iid, &given);
    *out = static_cast<Interface*>(given);
    return 1;
}

}  // namespace printer
