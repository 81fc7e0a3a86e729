// The adjustment and service items. An item number selects the page that carries the item out and a
// fixed identifier name, which is also the key of the item's description in the language's Text.dat.
#pragma once

#include <span>
#include <string>

namespace workflow {

// The page class that carries an item out; None for items without a page.
enum class ItemPage {
    None,
    PrinterInfo,
    PGAdjust,
    BidAdjust,
    TopMarginAdjust,
    BottomMarginAdjust,
    PEAdjust,
    PrintTest,
    CounterReset,
    GetCounter,
    EepromRw,
    InitialSetting,
    SerialNoWrite,
    FirmUpdate,
    GetFatalECode,
    SensorStatus,
};

struct CatalogueItem {
    int number;
    const char* name;
    ItemPage page;
    int pageArgument;  // the argument the page is constructed with; 0 for pages without one
};

class ItemCatalogue {
public:
    // Every item, in increasing order of number.
    static std::span<const CatalogueItem> Items();
    // The item with this number; null for a number not in the catalogue.
    static const CatalogueItem* Find(int number);
};

// The identifier name of the item; "ERROR_PAGE" for a number not in the catalogue.
std::string ItemName(int number);

// The text key of an unknown item and of the description shown for it.
inline constexpr const char* kErrorPageName = "ERROR_PAGE";

}  // namespace workflow
