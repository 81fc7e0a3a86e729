// What a dialog's handlers may count on, on every back-end: a command a handler took goes no
// further, one it left goes on outwards, and OnDestroy runs for the dialog's own class.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BackendCase.h"
#include "testsupport/ScopedWindow.h"
#include "ui/CDialog.h"

namespace {

using uitest::BackendCase;

// Records its commands and answers them as told, without the default OK and Cancel handling.
class Answering : public ui::CDialog {
public:
    explicit Answering(int templateId) : CDialog(templateId) {}
    bool OnCommand(int id, ui::Notification) override {
        commands.push_back(id);
        return handles;
    }
    bool handles = true;
    std::vector<int> commands;
};

// The main window's template with a child screen (the parts list, list 1173) inside.
class CommandRouting : public BackendCase {
protected:
    void SetUp() override {
        ASSERT_TRUE(host_.Create(nullptr));
        ASSERT_TRUE(child_.Create(host_));
        child_.ShowWindow(true);
    }
    void PressEscapeInTheChild() {
        ui::Backend().SimulateKey(child_.GetDlgItem(1173), ui::Key::Escape);
        ui::PumpWaitingMessages();
    }
    testsupport::ScopedWindow<Answering> host_{102};
    testsupport::ScopedWindow<Answering> child_{135};
};

TEST_P(CommandRouting, SendCommandAnswersWhatTheHandlerAnswered) {
    EXPECT_TRUE(ui::SendCommand(child_, 7000));
    child_.handles = false;
    EXPECT_FALSE(ui::SendCommand(child_, 7001));
    EXPECT_EQ(child_.commands, (std::vector<int>{7000, 7001}));
    EXPECT_FALSE(ui::SendCommand(child_.GetDlgItem(1173), 7002)) << "a control has no dialog";
}

TEST_P(CommandRouting, AKeyWhoseCommandWasHandledGoesNoFurther) {
    PressEscapeInTheChild();
    EXPECT_EQ(child_.commands, (std::vector<int>{ui::kIdCancel}));
    EXPECT_TRUE(host_.commands.empty());
}

TEST_P(CommandRouting, AKeyWhoseCommandWasLeftGoesToTheDialogOutside) {
    child_.handles = false;
    PressEscapeInTheChild();
    EXPECT_EQ(child_.commands, (std::vector<int>{ui::kIdCancel}));
    EXPECT_EQ(host_.commands, (std::vector<int>{ui::kIdCancel}));
}

TEST_P(CommandRouting, AKeyEveryDialogLeftIsOfferedToEachOnce) {
    child_.handles = false;
    host_.handles = false;
    PressEscapeInTheChild();
    EXPECT_EQ(child_.commands, (std::vector<int>{ui::kIdCancel}));
    EXPECT_EQ(host_.commands, (std::vector<int>{ui::kIdCancel})) << "not again through the dialog manager";
}

INSTANTIATE_TEST_SUITE_P(Backends, CommandRouting, ::testing::ValuesIn(uitest::TestedBackends()),
                         uitest::BackendCaseName);

// The message dialog (static 1005, OK, Cancel) that notes what its OnDestroy saw.
class Noting : public ui::CDialog {
public:
    Noting() : CDialog(118) {}
    void OnDestroy() override {
        ++destroyed;
        controlText = GetDlgItem(1005).GetWindowText();
        CDialog::OnDestroy();
    }
    int destroyed = 0;
    std::string controlText = "(none)";
};

// Destroys its window in its own destructor, while the derived part is whole.
class NotingToTheEnd : public Noting {
public:
    explicit NotingToTheEnd(int& seen) : seen_(seen) {}
    ~NotingToTheEnd() override {
        DestroyWindow();
        seen_ = destroyed;
    }

private:
    int& seen_;
};

class Destruction : public BackendCase {
protected:
    static bool Live(const ui::CDialog* dialog) {
        const std::vector<ui::CDialog*> live = ui::LiveDialogs();
        return std::find(live.begin(), live.end(), dialog) != live.end();
    }
    // Top-level windows of our dialogs (the system may keep windows of its own, an input method's).
    static int TopLevelWindows() {
        const std::vector<ui::HWindow> windows = ui::Backend().GetTopLevelWindows();
        return static_cast<int>(std::count_if(windows.begin(), windows.end(), [](ui::HWindow window) {
            return ui::Backend().DialogOf(window) != nullptr;
        }));
    }
};

TEST_P(Destruction, DestroyWindowRunsTheDerivedHandlerWhileTheControlsExist) {
    Noting dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.GetDlgItem(1005).SetWindowText("still here");
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.destroyed, 1);
    EXPECT_EQ(dialog.controlText, "still here");
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_FALSE(Live(&dialog));
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.destroyed, 1) << "once only";
}

TEST_P(Destruction, AChildWhoseParentGoesRunsItsOwnHandler) {
    class NotingChild : public ui::CDialog {
    public:
        NotingChild() : CDialog(135) {}
        void OnDestroy() override { ++destroyed; }
        int destroyed = 0;
    } child;
    testsupport::ScopedWindow<ui::CDialog> host(102);
    ASSERT_TRUE(host.Create(nullptr));
    ASSERT_TRUE(child.Create(host));
    host.DestroyWindow();
    EXPECT_EQ(child.destroyed, 1);
    EXPECT_FALSE(child.IsWindow());
}

// A posted message with which a modal dialog ends itself.
constexpr int kEnd = 0x0401;

TEST_P(Destruction, TheEndOfAModalLoopRunsTheDerivedHandlerBeforeDoModalReturns) {
    class EndingAtOnce : public Noting {
    public:
        bool OnInitDialog() override {
            GetDlgItem(1005).SetWindowText("modal");
            PostMessage(kEnd);
            return CDialog::OnInitDialog();
        }
        void OnPostedMessage(int code, long, long) override {
            if (code == kEnd) {
                EndDialog(ui::kIdOk);
            }
        }
    } dialog;
    EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
    EXPECT_EQ(dialog.destroyed, 1);
    EXPECT_EQ(dialog.controlText, "modal");
}

TEST_P(Destruction, ADerivedDestructorThatDestroysTheWindowRunsItsHandler) {
    const int before = TopLevelWindows();
    int destroyed = 0;
    {
        NotingToTheEnd dialog(destroyed);
        ASSERT_TRUE(dialog.Create(nullptr));
        EXPECT_EQ(TopLevelWindows(), before + 1);
    }
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(TopLevelWindows(), before);
}

// How the tests declare their dialogs: the window goes in the helper's destructor, where the whole
// dialog still exists.
TEST_P(Destruction, AScopedWindowRunsTheDerivedHandlerWhileTheControlsExist) {
    class Reporting : public Noting {
    public:
        explicit Reporting(std::string& seen) : seen_(seen) {}
        void OnDestroy() override {
            Noting::OnDestroy();
            seen_ = controlText;
        }

    private:
        std::string& seen_;
    };
    const int before = TopLevelWindows();
    std::string seen = "(not destroyed)";
    {
        testsupport::ScopedWindow<Reporting> dialog(seen);
        ASSERT_TRUE(dialog.Create(nullptr));
        dialog.GetDlgItem(1005).SetWindowText("whole");
    }
    EXPECT_EQ(seen, "whole");
    EXPECT_EQ(TopLevelWindows(), before);
}

INSTANTIATE_TEST_SUITE_P(Backends, Destruction, ::testing::ValuesIn(uitest::TestedBackends()),
                         uitest::BackendCaseName);

using DestructionDeathTest = Destruction;

// Where the derived part has gone already, only CDialog's own OnDestroy could run: a debug build
// stops there, and a release build still takes the window away.
TEST_P(DestructionDeathTest, AWindowLeftToTheBaseDestructorStopsADebugBuild) {
    const int before = TopLevelWindows();
    const std::size_t dialogsBefore = ui::LiveDialogs().size();
    EXPECT_DEBUG_DEATH(
        {
            Noting dialog;
            dialog.Create(nullptr);
        },
        "window outlived its object");
    EXPECT_EQ(TopLevelWindows(), before);
    EXPECT_EQ(ui::LiveDialogs().size(), dialogsBefore);
}

INSTANTIATE_TEST_SUITE_P(Backends, DestructionDeathTest, ::testing::ValuesIn(uitest::TestedBackends()),
                         uitest::BackendCaseName);

}  // namespace
