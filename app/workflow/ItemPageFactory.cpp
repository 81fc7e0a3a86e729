#include "workflow/ItemPageFactory.h"

#include <utility>

#include "pages/CHeronBidAdjustPage.h"
#include "pages/CHeronBottomMarginAdjustPage.h"
#include "pages/CHeronCounterResetPage.h"
#include "pages/CHeronEepromRwPage.h"
#include "pages/CHeronFirmUpdatePage.h"
#include "pages/CHeronGetCounterPage.h"
#include "pages/CHeronGetFataECode.h"
#include "pages/CHeronInitialSettingPage.h"
#include "pages/CHeronPGAdjustPage.h"
#include "pages/CHeronPrintTestPage.h"
#include "pages/CHeronPrinterInfoPage.h"
#include "pages/CHeronSensorStatusPage.h"
#include "pages/CHeronSerialNoWritePage.h"
#include "pages/CHeronTopMarginAdjustPage.h"
#include "pages/CPEAdjust.h"
#include "workflow/ItemCatalogue.h"

namespace workflow {
namespace {

ScopedItemPageMaker::Maker& InstalledMaker() {
    static ScopedItemPageMaker::Maker maker;
    return maker;
}

// The pages of the catalogue that are built; the other items are still without a page.
std::unique_ptr<CMyPropertyPage> MakeCataloguePage(const CatalogueItem& item) {
    switch (item.page) {
        case ItemPage::BidAdjust:
            return std::make_unique<CHeronBidAdjustPage>();
        case ItemPage::PGAdjust:
            return std::make_unique<CHeronPGAdjustPage>();
        case ItemPage::TopMarginAdjust:
            return std::make_unique<CHeronTopMarginAdjustPage>();
        case ItemPage::BottomMarginAdjust:
            return std::make_unique<CHeronBottomMarginAdjustPage>();
        case ItemPage::PEAdjust:
            return std::make_unique<CPEAdjust>(item.pageArgument);
        case ItemPage::CounterReset:
            return std::make_unique<CHeronCounterResetPage>(item.pageArgument);
        case ItemPage::GetCounter:
            return std::make_unique<CHeronGetCounterPage>();
        case ItemPage::EepromRw:
            return std::make_unique<CHeronEepromRwPage>();
        case ItemPage::GetFatalECode:
            return std::make_unique<CHeronGetFataECode>();
        case ItemPage::PrintTest:
            return std::make_unique<CHeronPrintTestPage>(item.pageArgument);
        case ItemPage::SensorStatus:
            return std::make_unique<CHeronSensorStatusPage>();
        case ItemPage::FirmUpdate:
            return std::make_unique<CHeronFirmUpdatePage>();
        case ItemPage::PrinterInfo:
            return std::make_unique<CHeronPrinterInfoPage>();
        case ItemPage::InitialSetting:
            return std::make_unique<CHeronInitialSettingPage>();
        case ItemPage::SerialNoWrite:
            return std::make_unique<CHeronSerialNoWritePage>();
        default:
            return nullptr;
    }
}

}  // namespace

std::unique_ptr<CMyPropertyPage> CreateItemPage(int number) {
    if (const ScopedItemPageMaker::Maker& maker = InstalledMaker()) {
        return maker(number);
    }
    const CatalogueItem* item = ItemCatalogue::Find(number);
    return item == nullptr ? nullptr : MakeCataloguePage(*item);
}

ScopedItemPageMaker::ScopedItemPageMaker(Maker maker)
    : previous_(std::exchange(InstalledMaker(), std::move(maker))) {}

ScopedItemPageMaker::~ScopedItemPageMaker() {
    InstalledMaker() = std::move(previous_);
}

}  // namespace workflow
