#include "workflow/ItemPageFactory.h"

#include <utility>

#include "workflow/ItemCatalogue.h"

namespace workflow {
namespace {

ScopedItemPageMaker::Maker& InstalledMaker() {
    static ScopedItemPageMaker::Maker maker;
    return maker;
}

// The pages of the catalogue. None of them is built yet, so every item is still without a page.
std::unique_ptr<CMyPropertyPage> MakeCataloguePage(const CatalogueItem& item) {
    switch (item.page) {
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
