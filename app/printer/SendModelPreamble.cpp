#include "printer/SendModelPreamble.h"

#include <array>
#include <string>

#include "config/CTolvAppParam.h"
#include "config/CTolvPrnParam.h"
#include "printer/CPortLibraryBinder.h"

namespace {

constexpr char kModelNeedingPreamble[] = "ORLEX VK-418RT";
// FS ( E with a one-byte parameter: 1.
constexpr std::array<std::uint8_t, 6> kModelPreamble = {0x1C, 0x28, 0x45, 0x01, 0x00, 0x01};

bool SelectedModelNeedsPreamble() {
    const int index = CTolvAppParam::Instance()->nCustomerIndex;
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    if (index < 0 || index >= CTolvPrnParam::kCustomerSlots) {
        return false;
    }
    return model.customer[index].strDeviceID == kModelNeedingPreamble;
}

}  // namespace

void SendModelPreamble(std::int16_t port) {
    if (!SelectedModelNeedsPreamble()) {
        return;
    }
    if (!printer::Succeeded(CPortLibraryBinder::OpenPort(port))) {
        return;
    }
    CPortLibraryBinder::SendRaw(kModelPreamble.data(), static_cast<std::uint32_t>(kModelPreamble.size()));
    CPortLibraryBinder::ClosePort();
}
