// The service page fixture with the selection moved to a VK-2240II at LPT2: the shipped model whose
// EEPROM keeps no USB serial number and no check byte. The VK-572D at USB1 stays plugged in.
#pragma once

#include <string>

#include "ServicePageFixture.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "platform/ModulePath.h"

namespace pagetest {

class SecondModelTest : public ServicePageTest {
protected:
    SecondModelTest() {
        static const int here = 0;
        const std::string shipped =
            platform::ModuleFolderContaining(&here) + "Parameter/VK-2240II/Parameter.ini";
        folder_.Write("Parameter/VK-2240II/Parameter.ini",
                      testsupport::ReadBytes(platform::NativePath(shipped)));
        folder_.Write("Parameter/VK-2240II/English.mnu", "[STATUS]\r\nstrStatus04=Ready\r\n");
        second_ = &ports_.AddPrinter("LPT2", "VK-2240II");
        CTolvAppParam::Instance()->strPortName = "LPT2";
        CTolvPrnParam::Instance()->SetProfile("VK-2240II");
        CTolvLangText::Instance()->SetProfile("VK-2240II");
    }

    std::uint8_t SecondStored(int address) {
        std::uint8_t value = 0;
        EXPECT_TRUE(second_->Core().EepromImage().Read(address, &value)) << address;
        return value;
    }
    void SecondStore(int address, std::uint8_t value) {
        EXPECT_TRUE(second_->Core().EepromImage().Write(address, value)) << address;
    }

    vprinter::VirtualPrinter* second_ = nullptr;
};

}  // namespace pagetest
