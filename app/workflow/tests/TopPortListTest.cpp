#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "workflow/TopPortList.h"

namespace {

using workflow::DiscoveredPrinters;

TEST(TopPortListTest, FourteenRowsInTheirFixedOrder) {
    const DiscoveredPrinters printers{{"USB1", "VK-572D"}, {"LPT3", "VK-2240II"}, {"USB11", "VK-572D"}};
    std::vector<std::string> texts;
    for (const char* name : workflow::PortRowNames()) {
        texts.push_back(workflow::PortRowText(name, printers));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "LPT1:", "LPT2:", "LPT3: VK-2240II", "---", "USB1: VK-572D",
                         "USB2:", "USB3:", "USB4:", "USB5:", "USB6:", "USB7:", "USB8:", "USB9:", "USB10:"}));
}

TEST(TopPortListTest, PreselectionTakesTheFirstRowReportingTheCustomersModel) {
    struct Case {
        const char* name;
        DiscoveredPrinters printers;
        std::string deviceId;
        int row;
    } const cases[] = {
        {"LPT rows come before USB rows", {{"USB1", "VK-572D"}, {"LPT2", "VK-572D"}}, "ORLEX VK-572D", 1},
        {"the model follows the first six characters", {{"USB2", "VK-572D"}}, "MAKER VK-572D", 5},
        {"another model is not taken", {{"USB1", "VK-2240II"}}, "ORLEX VK-572D", -1},
        {"models compare exactly", {{"USB1", "vk-572d"}, {"USB2", "VK-572D "}}, "ORLEX VK-572D", -1},
        {"ports beyond USB10 have no row", {{"USB11", "VK-572D"}}, "ORLEX VK-572D", -1},
        {"no customer chosen yet", {{"USB1", ""}}, "", -1},
        {"a device ID without a model", {{"USB1", ""}}, "ORLEX ", -1},
        {"a device ID shorter than the maker", {{"USB1", ""}}, "ORL", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(workflow::PreselectedPortRow(c.printers, c.deviceId), c.row) << c.name;
    }
}

}  // namespace
