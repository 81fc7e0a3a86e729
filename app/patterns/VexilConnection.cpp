// The connection operations of the print buffer: open, close, status and the three production reads,
// all through the job's device-driver object.
#include <memory>
#include <string>

#include "drvlib/CWinVexilDrv.h"
#include "patterns/CVexilCommon.h"

namespace {

// The driver writes print data in pieces of this size after every open.
constexpr int kWriteSize = 128;
// The port number an open by device path is recorded under.
constexpr int kPortNumberByName = 10;
// Open's answer when no driver object is attached: "no port".
constexpr int kNoPort = -1;

class DriverEepromReader : public patterns::IEepromByteReader {
public:
    explicit DriverEepromReader(CVexilCommon& owner) : owner_(owner) {}
    bool Read(int address, std::uint8_t& value) override { return owner_.ReadEepromByte(address, value); }

private:
    CVexilCommon& owner_;
};

}  // namespace

patterns::IEepromByteReader& CVexilCommon::EepromReader() {
    if (!eepromReader_) {
        eepromReader_ = std::make_unique<DriverEepromReader>(*this);
    }
    return *eepromReader_;
}

int CVexilCommon::Open(int portNumber, platform::CString* model) {
    portNumber_ = portNumber;
    if (driver_ == nullptr) {
        return kNoPort;
    }
    const int result = driver_->Open(portNumber, model, useOrlexPort_);
    // Also after a failed open: the size belongs to the object, not to the port.
    driver_->SetWriteSize(kWriteSize);
    return result;
}

int CVexilCommon::OpenByName(const std::string& portName, platform::CString* model) {
    portNumber_ = kPortNumberByName;
    if (driver_ == nullptr) {
        return kNoPort;
    }
    const int result = driver_->Open(platform::CString(portName.c_str()), model);
    driver_->SetWriteSize(kWriteSize);
    return result;
}

void CVexilCommon::Close() {
    if (driver_ != nullptr) {
        driver_->Close();
    }
}

bool CVexilCommon::GetStatus(int* state, int* error) {
    if (driver_ == nullptr) {
        return false;
    }
    STATUSINF status;
    if (driver_->Ctl_GetStatus(&status) < 0) {
        return false;
    }
    if (state != nullptr) {
        *state = status.nStatus;
    }
    if (error != nullptr) {
        *error = status.nError;
    }
    return true;
}

bool CVexilCommon::ReadSensorByte(std::uint8_t& sensors) {
    sensors = 0;
    if (driver_ == nullptr) {
        return false;
    }
    unsigned char byte = 0;
    if (driver_->Prod_ReplySens(model_.firstIdByte, model_.secondIdByte, &byte) < 0) {
        return false;
    }
    sensors = byte;
    return true;
}

bool CVexilCommon::ReadRomVersion(std::string& version) {
    version.clear();
    if (driver_ == nullptr) {
        return false;
    }
    platform::CString text;
    if (driver_->Prod_ReplyRomVer2(model_.firstIdByte, model_.secondIdByte, &text) < 0) {
        return false;
    }
    version = text.GetString();
    return true;
}

bool CVexilCommon::ReadEepromByte(int address, std::uint8_t& value) {
    value = 0;
    if (driver_ == nullptr || address < 0) {
        return false;
    }
    const int wide = model_.eepromAddressForm == protocol::factory::AddressForm::TwoByte ? 1 : 0;
    unsigned char byte = 0;
    if (driver_->Prod_ReplyEEP_SIDM(model_.firstIdByte, model_.secondIdByte,
                                    static_cast<unsigned long>(address), &byte, wide) < 0) {
        return false;
    }
    value = byte;
    return true;
}

bool CVexilCommon::SensorCheck(const patterns::SensorExpectation& expected, std::string& text) {
    std::uint8_t sensors = 0;
    if (!ReadSensorByte(sensors)) {
        text = patterns::kSensorReplyError;
        return false;
    }
    return patterns::SensorCheckText(sensors, expected, text);
}
