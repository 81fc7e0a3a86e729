// The ten entry points over the connections this library handed out. A handle that is not one of
// them is refused, never followed.
#include <map>
#include <memory>

#include "CbtConnection.h"
#include "cbt/Kcbt.h"

namespace {

std::map<void*, std::unique_ptr<cbt::CbtConnection>>& Connections() {
    static std::map<void*, std::unique_ptr<cbt::CbtConnection>> connections;
    return connections;
}

cbt::CbtConnection* Find(cbt::Connection handle) {
    auto found = Connections().find(handle);
    return found == Connections().end() ? nullptr : found->second.get();
}

}  // namespace

extern "C" {

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Open(void* port, const cbt::IoHookTable* hooks,
                                                      cbt::Connection* connection) {
    if (connection == nullptr) {
        return cbt::result::kBadArgument;
    }
    *connection = nullptr;
    const bool hooked = hooks != nullptr && hooks->write != nullptr && hooks->read != nullptr;
    if (port == nullptr && !hooked) {
        return cbt::result::kBadArgument;
    }
    // A connection put to sleep and never closed on the same port gives way to the new one.
    for (auto it = Connections().begin(); it != Connections().end();) {
        it = it->second->Port() == port ? Connections().erase(it) : std::next(it);
    }
    std::unique_ptr<cbt::ByteLink> link;
    if (hooked) {
        link = std::make_unique<cbt::HookLink>(port, *hooks);
    } else {
        link = std::make_unique<cbt::DeviceLink>(*static_cast<platform::DevicePort*>(port));
    }
    auto created = std::make_unique<cbt::CbtConnection>(port, std::move(link));
    const std::int32_t entered = created->Enter();
    if (entered != cbt::result::kSuccess) {
        return entered;
    }
    *connection = created.get();
    Connections().emplace(created.get(), std::move(created));
    return cbt::result::kSuccess;
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Close(cbt::Connection connection) {
    cbt::CbtConnection* found = Find(connection);
    if (found == nullptr) {
        return cbt::result::kBadHandle;
    }
    const std::int32_t left = found->Leave();
    Connections().erase(connection);
    return left;
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Awake(cbt::Connection connection) {
    cbt::CbtConnection* found = Find(connection);
    if (found == nullptr) {
        return cbt::result::kBadHandle;
    }
    return found->Awake() ? cbt::result::kSuccess : found->Enter();
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Sleep(cbt::Connection connection) {
    cbt::CbtConnection* found = Find(connection);
    return found == nullptr ? cbt::result::kBadHandle : found->Leave();
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Write(cbt::Connection connection, std::uint8_t channel,
                                                       const std::uint8_t* data, std::uint32_t* length) {
    cbt::CbtConnection* found = Find(connection);
    if (found == nullptr) {
        return cbt::result::kBadHandle;
    }
    if (length == nullptr || (data == nullptr && *length > 0)) {
        return cbt::result::kBadArgument;
    }
    return found->Write(channel, data, length);
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_Read(cbt::Connection connection, std::uint8_t channel,
                                                      std::uint8_t* buffer, std::uint32_t* length) {
    cbt::CbtConnection* found = Find(connection);
    if (found == nullptr) {
        return cbt::result::kBadHandle;
    }
    if (length == nullptr) {
        return cbt::result::kBadArgument;
    }
    return found->Read(channel, buffer, length);
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_OpenChannel(cbt::Connection connection,
                                                             std::uint8_t channel) {
    cbt::CbtConnection* found = Find(connection);
    return found == nullptr ? cbt::result::kBadHandle : found->OpenChannel(channel);
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_CloseChannel(cbt::Connection connection,
                                                              std::uint8_t channel) {
    cbt::CbtConnection* found = Find(connection);
    return found == nullptr ? cbt::result::kBadHandle : found->CloseChannel(channel);
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_GetSocketID(cbt::Connection connection,
                                                             const char* serviceName, std::uint8_t* socket) {
    cbt::CbtConnection* found = Find(connection);
    return found == nullptr ? cbt::result::kBadHandle : found->GetSocketId(serviceName, socket);
}

TOLVANE_EXPORT std::int32_t TOLVANE_STDCALL KCBT_GetServiceName(cbt::Connection connection,
                                                                std::uint8_t socket, char* name,
                                                                std::uint32_t* length) {
    cbt::CbtConnection* found = Find(connection);
    return found == nullptr ? cbt::result::kBadHandle : found->GetServiceName(socket, name, length);
}

}  // extern "C"
