// The back-end conformance table: short scenarios of framework calls and simulated input on one test
// dialog, each with the results real windows give written down by hand. Every case runs on the
// headless back-end and, in the Windows build, on real windows; both must give these results.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace uitest {

// The controls of the test dialog, in template (and tab) order.
inline constexpr int kUnknownIconStatic = 2011;  // shows an icon the program does not have
inline constexpr int kMainIconStatic = 2012;     // shows the program's icon
inline constexpr int kLabel = 2001;
inline constexpr int kEdit = 2002;
inline constexpr int kNotes = 2013;  // writable multi-line edit box
inline constexpr int kPress = 2003;
inline constexpr int kTick = 2004;
inline constexpr int kDropDown = 2005;
inline constexpr int kList = 2006;
inline constexpr int kChecks = 2007;
inline constexpr int kReport = 2008;
inline constexpr int kDisabledButton = 2009;
inline constexpr int kHiddenButton = 2010;
inline constexpr int kLog = 2014;  // read-only rich edit; disabled, so Tab passes it by

inline constexpr int kMainIcon = 117;
inline constexpr int kNoSuchIcon = 9999;

// The test dialog, open and shown; it takes every command and notes each as "<what> <id>".
class Bench : public ui::CDialog {
public:
    Bench();
    ~Bench() override;
    bool Open();
    bool OnCommand(int id, ui::Notification code) override;
    // Dispatches what waits, as a message loop would between two actions of the technician.
    static void Pump();
    ui::CWindow Item(int id) const { return GetDlgItem(id); }

    std::vector<std::string> heard;
};

struct ConformanceCase {
    const char* name;  // says the behaviour both back-ends show
    void (*run)(Bench& bench);
};

std::span<const ConformanceCase> BackendConformanceCases();

}  // namespace uitest
