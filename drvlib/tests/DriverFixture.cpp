#include "DriverFixture.h"

namespace drvtest {

void DriverFixture::OpenUsb1(CWinVexilDrv& driver) {
    CString model;
    ASSERT_EQ(driver.Open(11, &model, 1), 0);
    ASSERT_EQ(model, "ORLEX VK-572D");
    driver.SetWriteSize(128);
}

}  // namespace drvtest
