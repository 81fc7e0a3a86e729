// What every adjustment page and the adjustment dialog share for talking to the technician while
// they work the printer: one progress window at a time, and the program's message box. The waiting
// operations and the job starter build on it, over the printer service with the selected printer as
// their target.
#pragma once

#include <string>

#include "dialogs/IProgressCallback.h"
#include "patterns/PrintJobRecord.h"

class CPrinterCtrlUI {
public:
    // ProgressControl commands.
    static constexpr int kOpenProgress = 801;
    static constexpr int kCloseProgress = 802;

    CPrinterCtrlUI() = default;
    // The progress window is not closed here: whoever opened it closes it with 802 on every path.
    virtual ~CPrinterCtrlUI() = default;
    CPrinterCtrlUI(const CPrinterCtrlUI&) = delete;
    CPrinterCtrlUI& operator=(const CPrinterCtrlUI&) = delete;

    // 801: closes an open progress window first, then opens the "Processing" window with a bar of
    // 0 .. value, owned by this object's window and captioned with the active window's title when
    // it has one, shows it and returns it (null when it cannot be made). This object holds a
    // reference of its own for as long as the window is open, so a caller that takes and gives back
    // a reference of its own cannot end the window under it. 802: gives that reference back (the
    // window closes unless somebody else still holds one) and returns null. Others: null.
    IProgressCallback* ProgressControl(int command, int value);
    // Moves the open progress window's bar one step; nothing without one.
    void StepProgress();
    // The program's message box with the text and the message type (0 information, 1 question,
    // 2 error); 1 for OK, 2 for Cancel or NG.
    int ShowMessage(const std::string& text, int type);
    // As ShowMessage, with the text of the string table entry.
    int ShowMessageRes(int stringId, int type);

    // Waiting for the printer of the selected port: 1 as soon as a status query succeeds within
    // timeoutMs, else 0.
    int WaitPrinterReady(int timeoutMs);
    // The waiting dialog, owned by this object's window: 1 when the printer reported ready, else 0.
    int WaitWithDialog();

    // Runs print job `item` of item table `selector` on the selected printer (the model, customer and
    // port of the settings), with the engine's messages in the program's message dialog. The outcome
    // is in the record: item -1 when the job failed.
    void PrintPattern(int selector, int item, patterns::PrintJobRecord& job);

    IProgressCallback* Progress() const { return m_pProgress; }

private:
    IProgressCallback* m_pProgress = nullptr;
};
