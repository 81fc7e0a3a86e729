#include <gtest/gtest.h>

#include <string>

#include "DialogsTest.h"
#include "config/ConfigurationScope.h"
#include "dialogs/CApplicationLook.h"
#include "dialogs/CMessageDlg.h"
#include "dialogs/CProgressDialog.h"
#include "testsupport/ScopedWindow.h"
#include "testsupport/TemporaryFolder.h"

namespace {

// "MS PGothic" as the Japanese system registers it, in Shift-JIS.
const std::string kGothic = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

using Look = CApplicationLook;

TEST(ApplicationLookFonts, EachFontInBothFaces) {
    struct Row {
        Look::Font font;
        int latinHeight;
        int latinCharset;
        int japaneseHeight;
        bool italic;
        bool underline;
    } const rows[] = {
        {Look::kFontA, 11, ui::kCharsetShiftJis, 12, false, false},
        {Look::kFontB, 15, ui::kCharsetAnsi, 14, false, false},
        {Look::kFontC, 20, ui::kCharsetAnsi, 16, false, false},
        {Look::kFontD, 28, ui::kCharsetAnsi, 32, true, false},
        {Look::kFontE, 28, ui::kCharsetAnsi, 24, true, true},
    };
    for (const Row& row : rows) {
        const ui::FontSpec latin = Look::FontSpecOf(row.font, "English");
        EXPECT_EQ(latin.face, "Arial") << row.font;
        EXPECT_EQ(latin.height, row.latinHeight) << row.font;
        EXPECT_EQ(latin.charset, row.latinCharset) << row.font;
        const ui::FontSpec japanese = Look::FontSpecOf(row.font, "Japanese");
        EXPECT_EQ(japanese.face, kGothic) << row.font;
        EXPECT_EQ(japanese.height, row.japaneseHeight) << row.font;
        EXPECT_EQ(japanese.charset, ui::kCharsetShiftJis) << row.font;
        for (const ui::FontSpec& spec : {latin, japanese}) {
            EXPECT_EQ(spec.italic, row.italic) << row.font;
            EXPECT_EQ(spec.underline, row.underline) << row.font;
            EXPECT_EQ(spec.weight, 700) << row.font;
            EXPECT_EQ(spec.outPrecision, 2) << row.font;
            EXPECT_EQ(spec.clipPrecision, 1) << row.font;
            EXPECT_EQ(spec.quality, 0) << row.font;
            EXPECT_EQ(spec.pitchAndFamily, ui::kVariablePitch) << row.font;
        }
    }
}

TEST(ApplicationLookFonts, OnlyTheExactLanguageNameJapaneseChoosesTheJapaneseFaces) {
    for (const char* language : {"japanese", "JAPANESE", "Japanese ", " Japanese", "Japan", "", "ProgName"}) {
        EXPECT_EQ(Look::FontSpecOf(Look::kFontB, language).face, "Arial") << '"' << language << '"';
    }
    EXPECT_EQ(Look::FontSpecOf(Look::kFontB, "Japanese").face, kGothic);
}

class ApplicationLookTest : public DialogsTest {
protected:
    testsupport::TemporaryFolder folder_{"tolv-look"};
    config::ScopedConfiguration configuration_{folder_.Path()};
    Look look_;
};

TEST_F(ApplicationLookTest, CreateReadsTheLanguageOfTheSettings) {
    folder_.Write("TOLVANE.INI", "[Profile]\r\nstrLanguage=Japanese\r\n");
    ASSERT_TRUE(look_.Create());
    EXPECT_EQ(headless_.BrushColor(look_.GetBrush(Look::kBrushMint)), ui::Rgb(226, 243, 227));
    CProgressDialog* progress = CProgressDialog::Open(25, 0, nullptr);
    ASSERT_NE(progress, nullptr);
    look_.ApplyDialogFont(*progress);
    EXPECT_EQ(headless_.FontOf(progress->GetDlgItem(1151)).face, kGothic);
    EXPECT_EQ(headless_.FontOf(progress->GetDlgItem(1151)).height, 14);
    progress->Release();
}

TEST_F(ApplicationLookTest, ALanguageChangeMakesNewFontsAndKeepsTheBrushes) {
    ASSERT_TRUE(look_.Create("English"));
    ui::BrushObject* mint = look_.GetBrush(Look::kBrushMint);
    ASSERT_TRUE(look_.Create("Japanese"));
    EXPECT_EQ(look_.GetBrush(Look::kBrushMint), mint);
    EXPECT_EQ(look_.GetFontSpec(Look::kFontE).height, 24);
}

// Windows made before the change, on screen or hidden, wear the new fonts at once: none keeps
// drawing with a font that is gone, and none is dressed in a font it did not wear.
TEST_F(ApplicationLookTest, ALanguageChangeRedressesEveryLiveWindow) {
    ASSERT_TRUE(look_.Create("English"));
    CProgressDialog* progress = CProgressDialog::Open(25, 0, nullptr);
    ASSERT_NE(progress, nullptr);
    look_.ApplyDialogFont(*progress);
    testsupport::ScopedWindow<CMessageDlg> hidden;
    ASSERT_TRUE(hidden.Create(nullptr));
    hidden.ShowWindow(false);
    look_.ApplyDialogFont(hidden);
    hidden.GetDlgItem(1005).SetFont(look_.GetFont(Look::kFontE));
    testsupport::ScopedWindow<CMessageDlg> bare;
    ASSERT_TRUE(bare.Create(nullptr));
    testsupport::ScopedWindow<ui::CDialog> inner(183);
    ASSERT_TRUE(inner.Create(hidden));
    inner.SetFont(look_.GetFont(Look::kFontD));

    ASSERT_TRUE(look_.Create("Japanese"));
    EXPECT_EQ(headless_.FontOf(*progress), Look::FontSpecOf(Look::kFontB, "Japanese"));
    EXPECT_EQ(headless_.FontOf(progress->GetDlgItem(1151)), Look::FontSpecOf(Look::kFontB, "Japanese"));
    EXPECT_EQ(headless_.FontOf(hidden.GetDlgItem(2)), Look::FontSpecOf(Look::kFontB, "Japanese"));
    EXPECT_EQ(headless_.FontOf(hidden.GetDlgItem(1005)), Look::FontSpecOf(Look::kFontE, "Japanese"));
    EXPECT_EQ(headless_.FontOf(inner), Look::FontSpecOf(Look::kFontD, "Japanese"));
    EXPECT_EQ(headless_.FontOf(bare).face, "MS Shell Dlg")
        << "a window without the look's fonts keeps its own";
    // Back to English: the same windows follow again.
    ASSERT_TRUE(look_.Create("English"));
    EXPECT_EQ(progress->GetDlgItem(1151).GetFont(), look_.GetFont(Look::kFontB));
    EXPECT_EQ(hidden.GetDlgItem(1005).GetFont(), look_.GetFont(Look::kFontE));
    progress->Release();
}

TEST_F(ApplicationLookTest, TheSharedColouringRule) {
    ASSERT_TRUE(look_.Create("English"));
    auto colour = [&](ui::ColorTarget target) {
        return headless_.BrushColor(look_.SharedColors(target).brush);
    };
    EXPECT_EQ(colour(ui::ColorTarget::MessageBox), ui::Rgb(198, 210, 253));
    EXPECT_EQ(colour(ui::ColorTarget::Edit), ui::Rgb(255, 255, 255));
    EXPECT_EQ(colour(ui::ColorTarget::Dialog), ui::Rgb(226, 243, 227));
    EXPECT_EQ(colour(ui::ColorTarget::Static), ui::Rgb(226, 243, 227));
    EXPECT_TRUE(look_.SharedColors(ui::ColorTarget::Static).transparent);
    EXPECT_TRUE(look_.SharedColors(ui::ColorTarget::Dialog).transparent);
    EXPECT_FALSE(look_.SharedColors(ui::ColorTarget::Edit).transparent);
    EXPECT_EQ(look_.SharedColors(ui::ColorTarget::Button).brush, nullptr) << "buttons keep the system's";
    EXPECT_EQ(look_.SharedColors(ui::ColorTarget::ListBox).brush, nullptr);
}

TEST_F(ApplicationLookTest, TheSharedDialogsWearTheInstalledLook) {
    ASSERT_TRUE(look_.Create("English"));
    ScopedApplicationLook installed(look_);
    testsupport::ScopedWindow<CMessageDlg> message;
    ASSERT_TRUE(message.Create(nullptr));
    EXPECT_EQ(headless_.FontOf(message.GetDlgItem(1005)).height, 15);
    EXPECT_EQ(headless_.FontOf(message.GetDlgItem(2)).height, 15);
    EXPECT_EQ(headless_.BrushColor(headless_.ColorsOf(message.GetDlgItem(1005)).brush),
              ui::Rgb(226, 243, 227));
    CProgressDialog* progress = CProgressDialog::Open(25, 0, nullptr);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(headless_.FontOf(progress->GetDlgItem(1151)).height, 15);
    EXPECT_EQ(headless_.BrushColor(headless_.ColorsOf(*progress).brush), ui::Rgb(226, 243, 227));
    progress->Release();
}

TEST_F(ApplicationLookTest, WithoutALookTheDialogsKeepTheSystemFont) {
    ASSERT_EQ(Look::Installed(), nullptr);
    testsupport::ScopedWindow<CMessageDlg> message;
    ASSERT_TRUE(message.Create(nullptr));
    EXPECT_EQ(headless_.FontOf(message.GetDlgItem(1005)).face, "MS Shell Dlg");
    EXPECT_EQ(headless_.ColorsOf(message.GetDlgItem(1005)).brush, nullptr);
}

TEST_F(ApplicationLookTest, ALookThatGoesAwayIsNoLongerInstalled) {
    {
        Look shortLived;
        Look::Install(&shortLived);
    }
    EXPECT_EQ(Look::Installed(), nullptr);
}

}  // namespace
