// Hostile and broken print data: bounded work and memory, no crash, and the page still comes out.
#include "RenderTestSupport.h"
#include "patterns/CPattern.h"

using namespace vprinter::render;

namespace {

TEST(BadInput, BitImageWhoseCountRunsPastTheDataPrintsWhatArrived) {
    TestPrinter printer;
    // 65535 columns announced, two arrive whole and the third is cut.
    printer.Print(B({0x1B, '*', 39, 0xFF, 0xFF, 0x80, 0, 0, 0x80, 0, 0, 0x80, 0}));
    EXPECT_EQ(printer.interpreter.PendingBytes(), 13u);
    printer.End();
    EXPECT_EQ(printer.interpreter.PendingBytes(), 0u);
    ASSERT_EQ(printer.pages.pages.size(), 1u);
    // Two 180-dpi columns: one run of ink from the first dot to the second.
    const auto& image = printer.pages.pages[0].image;
    EXPECT_EQ(InkStarts(image, 0), std::vector<int>{Column(0) - 1});
    EXPECT_TRUE(image.Inked(Column(8) + 1, 0));
    EXPECT_FALSE(image.Inked(Column(8) + 2, 0));
}

TEST(BadInput, BitImageOf65535ColumnsStopsAtTheMargin) {
    TestPrinter printer;
    Bytes image = B({0x1B, '*', 40, 0xFF, 0xFF});
    image.resize(image.size() + 3 * 65535, 0x80);
    printer.Print(image + Text("\r"));
    // 360 dpi across 8 inches: 2880 columns, the rest dropped.
    EXPECT_EQ(printer.log.bitImageColumns, 65535u);
    EXPECT_EQ(InkStarts(printer.Sheet(), NeedleRow(0, 1)).size(), 1u);
    EXPECT_FALSE(printer.Sheet().Inked(Column(80 * 144) + 2, 0));
}

TEST(BadInput, DefinitionsCutShortKeepTheCharactersThatArrivedWhole) {
    TestPrinter printer;
    // 'A' whole (one column on needle 24), 'B' announced with 200 columns and cut.
    printer.Print(B({0x1B, '&', 0, 'A', 'B', 0, 1, 0, 0, 0, 1, 0, 200, 0, 1, 2, 3}));
    printer.End();
    printer.Print(B({0x1B, '%', 1}) + Text("AB\r"));
    EXPECT_EQ(InkCentres(printer.Sheet(), NeedleRow(0, 24)), std::vector<int>{Column(0)});
}

TEST(BadInput, ImageDataThatSpellsAResetOrThePacketModeEntryIsNeverObeyed) {
    // The data of every command that carries data holds ESC @ and ESC | D 4. Read as commands, the
    // reset would drop "AB" from the line and the rest would print as text.
    const Bytes data = B({0x1B, '@', 0x1B, '|', 'D', '4'});
    const std::vector<Bytes> carriers = {
        B({0x1B, 'K', 6, 0}) + data,
        B({0x1B, 'L', 6, 0}) + data,
        B({0x1B, 'Y', 6, 0}) + data,
        B({0x1B, 'Z', 6, 0}) + data,
        B({0x1B, '^', 0, 3, 0}) + data,
        B({0x1B, '*', 0, 6, 0}) + data,
        B({0x1B, '*', 39, 2, 0}) + data,
        B({0x1B, '*', 72, 1, 0}) + data,
        B({0x1B, '.', 0, 10, 10, 1, 48, 0}) + data,
        B({0x1B, '&', 0, 'A', 'A', 0, 2, 0}) + data,
        B({0x1B, '(', 'x', 6, 0}) + data,
        B({0x1C, '2', 0x77, 0x21}) + data + Repeat(0, 66),
    };
    for (const bool byteByByte : {false, true}) {
        for (const Bytes& carrier : carriers) {
            const std::string what = std::string(byteByByte ? "a byte a piece, " : "whole, ") +
                                     (carrier[0] == 0x1B ? "ESC " : "FS ") + static_cast<char>(carrier[1]);
            TestPrinter printer;
            const Bytes job = Text("AB") + carrier + Text("CD\r");
            if (byteByByte) {
                for (const std::uint8_t byte : job) {
                    printer.Print(Bytes{byte});
                }
            } else {
                printer.Print(job);
            }
            EXPECT_EQ(printer.interpreter.PendingBytes(), 0u) << what;
            printer.End();
            EXPECT_EQ(printer.log.Text(), std::vector<std::string>{"ABCD"}) << what;
            for (const std::string& event : printer.log.Events()) {
                EXPECT_EQ(event.find("ended inside"), std::string::npos) << what << ": " << event;
                EXPECT_EQ(event.find("factory"), std::string::npos) << what << ": " << event;
            }
        }
    }
}

TEST(BadInput, TextWithoutLineEndsWrapsAndFillsPages) {
    TestPrinter printer;
    // 100000 characters, 80 to a line at 1/6 inch: 1250 lines, 66 to an 11-inch page.
    printer.Print(Repeat('E', 100000));
    printer.End();
    EXPECT_EQ(printer.pages.Finished(), 1250u / 66u);
    EXPECT_EQ(printer.pages.pages.back().finished, false);
}

TEST(BadInput, LineBufferOverflowPrintsAndGoesOn) {
    TestPrinter printer;
    // The same column again and again, never a line end: the line is printed whenever it is full.
    Bytes data;
    for (int repeat = 0; repeat < 3000; ++repeat) {
        data = data + B({0x1B, '$', 0, 0}) +
               BitImage(40, std::vector<std::array<int, 3>>(40, {0xFF, 0xFF, 0xFF}));
    }
    printer.Print(data);
    printer.End();
    EXPECT_GE(printer.log.passes, 2u);
    EXPECT_FALSE(printer.Sheet().Blank());
}

TEST(BadInput, PiecesOfAnySizeGiveTheSamePage) {
    patterns::PatternModel model;
    model.firstIdByte = 0x57;
    model.secondIdByte = 0x2D;
    CPattern pattern(model);
    pattern.NeedleCheck();
    pattern.Mode2Bar(80, true, 1);
    const Bytes job(pattern.Bytes().begin(), pattern.Bytes().end());
    TestPrinter whole;
    whole.Print(job);
    whole.End();
    TestPrinter pieces;
    for (std::size_t at = 0; at < job.size(); at += 7) {
        pieces.Print(Bytes(job.begin() + static_cast<std::ptrdiff_t>(at),
                           job.begin() + static_cast<std::ptrdiff_t>(std::min(job.size(), at + 7))));
    }
    pieces.End();
    ASSERT_EQ(whole.pages.pages.size(), 1u);
    ASSERT_EQ(pieces.pages.pages.size(), 1u);
    for (int row = 0; row < whole.Sheet().Height(); ++row) {
        const auto a = whole.Sheet().Row(row);
        const auto b = pieces.Sheet().Row(row);
        ASSERT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << "row " << row;
    }
}

TEST(BadInput, RandomBytesNeverHoldMoreThanOneCommand) {
    TestPrinter printer;
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1103515245U + 12345U;
        return static_cast<std::uint8_t>(state >> 16);
    };
    std::size_t mostPending = 0;
    for (int piece = 0; piece < 512; ++piece) {
        Bytes bytes(1 + next() * 4);
        for (auto& byte : bytes) {
            // Plenty of ESC, FS and the control codes, so that commands start everywhere.
            const std::uint8_t value = next();
            byte = value < 40   ? 0x1B
                   : value < 50 ? 0x1C
                   : value < 70 ? static_cast<std::uint8_t>(value % 32)
                                : next();
        }
        printer.Print(bytes);
        mostPending = std::max(mostPending, printer.interpreter.PendingBytes());
        if (piece % 64 == 63) {
            printer.End();
        }
    }
    printer.End();
    // The longest command the printer frames: raster graphics of 8192 bytes a row by 255 rows.
    EXPECT_LT(mostPending, 8u + 8192u * 255u + 1024u);
    EXPECT_LE(printer.log.Events().size(), JobLog::kMostEvents);
}

}  // namespace
