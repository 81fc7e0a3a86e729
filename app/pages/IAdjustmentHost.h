// What a page asks of the dialog that hosts the run: the pages sit below the screens and cannot see
// the adjustment dialog itself.
#pragma once

namespace pages {

class IAdjustmentHost {
public:
    virtual ~IAdjustmentHost() = default;
    // Shows the item's title and description and highlights it in the sequence pane; a page calls
    // it each time it becomes the active one.
    virtual void SetCurrentItem(int number) = 0;
};

}  // namespace pages
