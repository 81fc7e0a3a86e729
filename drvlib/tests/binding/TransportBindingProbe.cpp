// Opens a printer in process and checks the result against the one expected, in a folder of its own
// that holds only the transport libraries of one case: none at all (-11), only the second name (0), a
// first-name library that lacks an entry point beside a whole second one (-11: a library that is found
// but incomplete is not replaced by the other name).
//   usage: tolv_vexildrv_binding_probe <expected result of Open>
#include <cstdio>
#include <cstdlib>

#include "drvlib/CWinVexilDrv.h"
#include "platform/Clock.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <expected result of Open>\n", argv[0]);
        return 2;
    }
    const int expected = std::atoi(argv[1]);
    platform::VirtualClock clock;
    platform::ScopedClock scopedClock(clock);
    vprinter::InProcessPrinterPorts ports;
    ports.AddPrinter("USB1", "VK-572D");
    CWinVexilDrv driver;
    CString model;
    const int opened = driver.Open(11, &model, 1);
    const bool modelRight = opened == 0 ? model == "ORLEX VK-572D" : model.IsEmpty();
    driver.Close();
    const bool portClosed = ports.OpenNow("USB1") == 0;
    std::printf("Open gave %d (expected %d), model \"%s\", port %s\n", opened, expected, model.GetString(),
                portClosed ? "closed" : "still open");
    const bool passed = opened == expected && modelRight && portClosed;
    std::printf("%d passed, %d failed\n", passed ? 1 : 0, passed ? 0 : 1);
    return passed ? 0 : 1;
}
