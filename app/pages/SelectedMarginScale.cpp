#include "pages/SelectedMarginScale.h"

#include "config/CTolvPrnParam.h"

namespace pages {

printer::MarginScale SelectedMarginScale() {
    const CTolvPrnParam& model = *CTolvPrnParam::Instance();
    printer::MarginScale scale;
    scale.stepsPerInch = model.nMarginStepsPerInch > 0 ? model.nMarginStepsPerInch
                                                       : printer::StepsPerInchOfModel(model.strProfileName);
    // The third mechanical adjustment value; a profile listing fewer has no offset.
    constexpr std::size_t kBottomOffsetIndex = 2;
    scale.bottomOffset =
        model.pnMecaAdjVal.size() > kBottomOffsetIndex ? model.pnMecaAdjVal[kBottomOffsetIndex] : 0;
    return scale;
}

}  // namespace pages
