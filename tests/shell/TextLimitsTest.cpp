#include "BinderTestPage.h"

#include "serialize/Serialize.h"
#include "support/ScriptedUiDriver.h"

#include <cstring>
#include <string>
#include <vector>

using vqtest::ScriptedUiDriver;

namespace {

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index)
        text += (index ? "\r\n" : "") + lines[index];
    return text;
}

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> lines;
    for (int index = 1; index <= count; ++index)
        lines.push_back("line " + std::to_string(index));
    return lines;
}

const std::string kKanji = "\x82\xA0";

} // namespace

TEST_F(BinderTest, NormalisingCutsATextToTenLinesOfSixtySixCharacters)
{
    std::vector<std::string> twelve = Numbered(12);
    twelve[2] = std::string(80, 'w');
    twelve[4] = std::string(65, 'k') + kKanji + "tail";
    std::vector<std::string> ten(twelve.begin(), twelve.begin() + 10);
    ten[2] = std::string(66, 'w');
    ten[4] = std::string(65, 'k');
    page.notes.SetValue(Lines(twelve).c_str());
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] {
            page.notes.CheckMultiLineLimits(660, 10, 66, FALSE);
            EXPECT_EQ(page.Text(kNotes), Lines(ten)) << "no line break after the last line";
            ::SetWindowText(page.Item(kNotes), "");
            page.notes.CheckMultiLineLimits(660, 10, 66, FALSE);
            EXPECT_EQ(page.Text(kNotes), "");
        })
        .Cancel();
    sheet.DoModal();
}

TEST_F(BinderTest, TypingAnEleventhLineOrASixtySeventhCharacterIsTakenBack)
{
    std::vector<std::string> ten = Numbered(10);
    ten[9] = std::string(66, 'x');
    page.notes.SetValue(Lines(ten).c_str());
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Type(kNotes, "\r")
        .Run([&] {
            EXPECT_EQ(page.Text(kNotes), Lines(ten));
            EXPECT_FALSE(::SendMessage(page.Item(kNotes), EM_CANUNDO));
        })
        .Type(kNotes, "y")
        .Run([&] { EXPECT_EQ(page.Text(kNotes), Lines(ten)); })
        .Run([&] { ::SendMessage(page.Item(kNotes), EM_SETSEL, 6, 6); })
        .Type(kNotes, "!")
        .Run([&] {
            ten[0] = "line 1!";
            EXPECT_EQ(page.Text(kNotes), Lines(ten));
            ::SendMessage(page.Item(kNotes), EM_UNDO);
            EXPECT_EQ(page.Text(kNotes), Lines(ten)) << "an accepted keystroke is not undone";
            EXPECT_EQ(::SendMessage(page.Item(kNotes), EM_GETLIMITTEXT), 680);
        })
        .Cancel();
    ui.ExpectMessageBox("maximum lines reached, no more input please", IDOK)
        .ExpectMessageBox("The maxmium length of this line has been reached. Please change line.", IDOK);
    sheet.DoModal();
}

TEST_F(BinderTest, ShiftMarksGoAroundDoubleByteRunsWithinTheFieldAndTheBuffer)
{
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] {
            page.notes.SetControlText(("  AB" + kKanji + kKanji + "C").c_str());
            EXPECT_TRUE(page.notes.ContainsKanji(""));
            EXPECT_FALSE(page.notes.ContainsKanji("AB C"));

            char field[21];
            std::memset(field, '#', sizeof field);
            EXPECT_EQ(page.notes.InsertSokEok(20, field, sizeof field, ""), 1);
            const std::string marked = "AB\x0E" + kKanji + kKanji + "\x0F" "C";
            EXPECT_STREQ(field, marked.c_str());

            char plain[21];
            EXPECT_EQ(VqsOptCtrlString::RemoveSokEok(plain, sizeof plain, field), 1);
            EXPECT_EQ(std::string(plain), "AB" + kKanji + kKanji + "C");

            char small[8];
            std::memset(small, '#', sizeof small);
            page.notes.InsertSokEok(20, small, sizeof small - 1, "AB" + CString(kKanji.c_str()) + kKanji.c_str());
            EXPECT_STREQ(small, ("AB\x0E" + kKanji + "\x0F").c_str()) << "cut at a character, the run closed";
            EXPECT_EQ(small[7], '#') << "nothing written past the size given";
        })
        .Cancel();
    sheet.DoModal();
}
