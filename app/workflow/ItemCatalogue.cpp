#include "workflow/ItemCatalogue.h"

namespace workflow {

namespace {

// The print test page takes a bit mask of the test sequences to print; 4095 prints them all. The
// counter reset page takes the counter's bit, the paper-end page the sensor's bit.
constexpr CatalogueItem kItems[] = {
    {100, "GET_PRINTER_INFOMATION", ItemPage::PrinterInfo, 0},
    {101, "PG_ADJUST", ItemPage::PGAdjust, 0},
    {102, "BID_ADJUST", ItemPage::BidAdjust, 0},
    {103, "TOP_MARGIN_ADJUST", ItemPage::TopMarginAdjust, 0},
    {104, "BOTTOM_MARGIN_ADJUST", ItemPage::BottomMarginAdjust, 0},
    {105, "TPE_ADJUST_HORIZONTAL", ItemPage::PEAdjust, 1},
    {106, "PE_THRESHOLD", ItemPage::PEAdjust, 2},
    {107, "FRONT_PE_THRESHOLD", ItemPage::PEAdjust, 4},
    {200, "PRINT_TEST_ALL", ItemPage::PrintTest, 4095},
    {201, "PRINT_TEST_A3", ItemPage::PrintTest, 1},
    {202, "PRINT_TEST_A4_1P", ItemPage::PrintTest, 2},
    {203, "PRINT_TEST_A4_4P", ItemPage::PrintTest, 4},
    {204, "PRINT_TEST_FF_1P", ItemPage::PrintTest, 8},
    {205, "PRINT_TEST_FF_4P", ItemPage::PrintTest, 16},
    {206, "PRINT_TEST_ENVELOPE", ItemPage::None, 0},
    {207, "PRINT_TEST_PITCH_1P", ItemPage::None, 0},
    {208, "PRINT_TEST_PITCH_20P", ItemPage::None, 0},
    {209, "PRINT_TEST_COLOR", ItemPage::None, 0},
    {301, "RESET_DRIVING_LINE_RBN", ItemPage::CounterReset, 1},
    {302, "RESET_DRIVING_HOUR", ItemPage::CounterReset, 2},
    {303, "RESET_DRIVING_LINE_CNT", ItemPage::CounterReset, 4},
    {304, "GET_CNT_INFOMATION", ItemPage::GetCounter, 0},
    {401, "READ_WRITE_EEPROM", ItemPage::EepromRw, 0},
    {402, "DESTINATION_SETTING", ItemPage::InitialSetting, 0},
    {403, "SERIAL_NO_WRITE", ItemPage::SerialNoWrite, 0},
    {404, "FIRMWARE_UPDATE", ItemPage::FirmUpdate, 0},
    {405, "GET_FATAL_ERROR_CODE", ItemPage::GetFatalECode, 0},
    {406, "SENSOR_STATUS", ItemPage::SensorStatus, 0},
};

}  // namespace

std::span<const CatalogueItem> ItemCatalogue::Items() {
    return kItems;
}

const CatalogueItem* ItemCatalogue::Find(int number) {
    for (const CatalogueItem& item : kItems) {
        if (item.number == number) {
            return &item;
        }
    }
    return nullptr;
}

std::string ItemName(int number) {
    const CatalogueItem* item = ItemCatalogue::Find(number);
    return item == nullptr ? kErrorPageName : item->name;
}

}  // namespace workflow
