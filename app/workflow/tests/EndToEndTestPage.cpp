// Linked into the end-to-end build of the program only: until the item pages exist, every item gets
// a plain page of the printer information template, so a run reaches the adjustment dialog.
#include <memory>

#include "pages/CMyPropertyPage.h"
#include "workflow/ItemPageFactory.h"

namespace {

constexpr int kPrinterInfoPage = 302;

const workflow::ScopedItemPageMaker testPages{[](int) -> std::unique_ptr<CMyPropertyPage> {
    return std::make_unique<CMyPropertyPage>(kPrinterInfoPage);
}};

}  // namespace
