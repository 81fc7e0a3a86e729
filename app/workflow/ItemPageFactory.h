// Makes the wizard page that carries an item out.
#pragma once

#include <functional>
#include <memory>

#include "pages/CMyPropertyPage.h"

namespace workflow {

// A new page for the item number, or null when the item has no page. The caller owns the page.
std::unique_ptr<CMyPropertyPage> CreateItemPage(int number);

// For the lifetime of a scope CreateItemPage asks this maker instead, so the adjustment dialog can
// be exercised with pages of a test's own. Scopes nest; each restores the maker it replaced.
class ScopedItemPageMaker {
public:
    using Maker = std::function<std::unique_ptr<CMyPropertyPage>(int number)>;
    explicit ScopedItemPageMaker(Maker maker);
    ~ScopedItemPageMaker();
    ScopedItemPageMaker(const ScopedItemPageMaker&) = delete;
    ScopedItemPageMaker& operator=(const ScopedItemPageMaker&) = delete;

private:
    Maker previous_;
};

}  // namespace workflow
