#include <gtest/gtest.h>

#include "DialogsTest.h"
#include "dialogs/CProgressDialog.h"

namespace {

constexpr int kIdProgressBar = 1151;

// Counts its own deletions, so a test sees the object go exactly once.
class CountedProgressDialog : public CProgressDialog {
public:
    CountedProgressDialog(int maximum, int startPosition, int* deletions)
        : CProgressDialog(maximum, startPosition, nullptr), deletions_(deletions) {}

protected:
    ~CountedProgressDialog() override { ++*deletions_; }

private:
    int* deletions_;
};

struct Range {
    int low = -1;
    int high = -1;
};

Range RangeOf(ui::CWindow dialog) {
    Range range;
    ui::CProgressBarCtrl(dialog.GetDlgItem(kIdProgressBar)).GetRange(&range.low, &range.high);
    return range;
}

int PositionOf(ui::CWindow dialog) {
    return ui::CProgressBarCtrl(dialog.GetDlgItem(kIdProgressBar)).GetPos();
}

class ProgressDialogTest : public DialogsTest {};

TEST_F(ProgressDialogTest, OpensHiddenWithTheMaximumAsRangeAndHandsOutOneReference) {
    CProgressDialog* progress = CProgressDialog::Open(25, 0, nullptr);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->GetWindowText(), "Processing");
    EXPECT_FALSE(progress->IsWindowVisible()) << "the creator shows it";
    EXPECT_EQ(RangeOf(*progress).high, 25);
    EXPECT_EQ(progress->AddRef(), 2) << "Open holds the first reference for its caller";
    EXPECT_EQ(progress->Release(), 1);
    EXPECT_EQ(progress->Release(), 0);
    EXPECT_TRUE(headless_.GetTopLevelWindows().empty()) << "the last Release destroys the window";
}

TEST_F(ProgressDialogTest, AStepCountOfZeroOrLessFallsBackToTheMaximum) {
    CProgressDialog* progress = CProgressDialog::Open(25, 3, nullptr);
    ASSERT_NE(progress, nullptr);
    progress->SetStepCount(24);
    EXPECT_EQ(RangeOf(*progress).low, 0);
    EXPECT_EQ(RangeOf(*progress).high, 24);
    EXPECT_EQ(PositionOf(*progress), 3) << "the start position";
    for (int count : {0, -1, -24}) {
        progress->SetStepCount(count);
        EXPECT_EQ(RangeOf(*progress).high, 25) << count;
        EXPECT_EQ(PositionOf(*progress), 3) << count;
    }
    progress->Release();
}

TEST_F(ProgressDialogTest, StepsOneAtATimeAndResetsToTheStart) {
    CProgressDialog* progress = CProgressDialog::Open(10, 2, nullptr);
    ASSERT_NE(progress, nullptr);
    progress->SetStepCount(18);
    progress->Step();
    progress->Step();
    EXPECT_EQ(PositionOf(*progress), 4);
    progress->ResetPosition();
    EXPECT_EQ(PositionOf(*progress), 2);
    progress->Release();
}

TEST_F(ProgressDialogTest, StartsAtTheSmallerOfMaximumAndStartPosition) {
    CProgressDialog* progress = CProgressDialog::Open(5, 9, nullptr);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->GetStartPosition(), 5);
    EXPECT_EQ(PositionOf(*progress), 5);
    progress->Release();
}

TEST_F(ProgressDialogTest, ReleaseDeletesOnceWhenTheCountReachesZero) {
    int deletions = 0;
    auto* progress = new CountedProgressDialog(25, 0, &deletions);
    ASSERT_TRUE(progress->IsWindow());
    // The count starts at 0: a holder that takes a reference and gives it back deletes the window.
    void* handed = nullptr;
    EXPECT_EQ(progress->QueryInterface(platform::kIidISequentialStream, &handed), platform::kSOk);
    EXPECT_EQ(handed, static_cast<IProgressCallback*>(progress)) << "any interface id gives the object";
    EXPECT_EQ(progress->AddRef(), 2);
    EXPECT_EQ(progress->Release(), 1);
    EXPECT_EQ(deletions, 0);
    EXPECT_EQ(progress->Release(), 0);
    EXPECT_EQ(deletions, 1);
    EXPECT_TRUE(headless_.GetTopLevelWindows().empty());
}

TEST_F(ProgressDialogTest, ATitleAndKeysDoNotCloseIt) {
    CProgressDialog* progress = CProgressDialog::Open(25, 0, nullptr);
    ASSERT_NE(progress, nullptr);
    progress->ShowWindow(true);
    progress->SetTitle("Printer Info");
    EXPECT_EQ(progress->GetWindowText(), "Printer Info");
    headless_.SimulateKey(progress->GetDlgItem(kIdProgressBar), ui::Key::Escape);
    headless_.SimulateKey(*progress, ui::Key::Enter);
    EXPECT_TRUE(progress->IsWindowVisible()) << "a window without buttons stays while the exchange runs";
    progress->Release();
}

TEST_F(ProgressDialogTest, AWindowTheOwnerTookAlongIsNotDestroyedTwice) {
    CProgressDialog* owner = CProgressDialog::Open(1, 0, nullptr);
    ASSERT_NE(owner, nullptr);
    CProgressDialog* progress = CProgressDialog::Open(25, 0, *owner);
    ASSERT_NE(progress, nullptr);
    owner->DestroyWindow();
    EXPECT_FALSE(progress->IsWindow()) << "owned popups go with their owner";
    EXPECT_EQ(progress->Release(), 0);
    owner->Release();
}

}  // namespace
