// The system's own texts that the user reads word for word in message boxes, titles and
// dialogs, as the resource library holds them. A rewording of the library shows here.
#include "win/ResourceLibrary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct OwnTextsTest : ::testing::Test {
    static void SetUpTestSuite() { library = vqres::ResourceLibrary::Load("vqsysres"); }
    static void TearDownTestSuite() { library.reset(); }

    static inline std::shared_ptr<const vqres::ResourceLibrary> library;

    static std::string DialogText(UINT dialog, int control)
    {
        for (const vqres::DialogControl& c : library->GetDialog(dialog).controls) {
            if (c.id == control)
                return c.text.str();
        }
        return "(no control " + std::to_string(control) + ")";
    }
};

} // namespace

TEST_F(OwnTextsTest, MessagesAndTitlesReadAsTheUserIsToSeeThem)
{
    const struct {
        UINT id;
        const char* text;
    } texts[] = {
        {61482, "Internal error: Session starts with no resource specification."},
        {61556, "Cannot add new specification"},
        {61557, "Cannot collect information about profiles used by the specification"},
        {61559, "Cannot add the Business Segment specification."},
        {61620, "Cannot save the Pack specifications"},
        {61621, "Pack specification has been changed.\nDo you want to save the changes?"},
        {61641, "Cannot access Option Set specification"},
        {61643, "Cannot access System specifications"},
        {61648, "Cannot save option specification"},
        {61650, "Cannot save Business Segment option specification"},
        {61651, "Cannot save element option specification"},
        {61653, "Cannot create a new Business Segment option specification"},
        {61657, "Cannot save System specification"},
        {61695, "Cannot access Systems"},
        {61696, "Cannot save Report Group specification"},
        {61697, "Cannot add Business Segment specification:\nno Business Segments found in the model."},
        {61701, "Automatic Profile"},
        {61703, "Cannot save automatic profile option specification"},
        {61739, "Internal error:\ncan not store data in the entry for Business Segment %1:\n"
                "no revision information is stored in the specification."},
        {61740, "Internal error:\ncan not store data in the entry for %1 %2:\n"
                "no revision information is stored in the specification."},
        {61758, "Cannot add the Business Segment specification:\nafter refreshing the data the target System is "
                "found to contain\na valid entry with options for\nBusiness Segment %1."},
        {61759, "Cannot add the Business Segment specification:\nthe System contains a valid Business Segment entry."},
        {61774, "Internal error:\ncan not store data in the entry for Business Segment %1:\n"
                "no GSD revision information is stored in the specification."},
        {61775, "Internal error:\ncan not store data in the entry for Business Segment %1:\n"
                "no element revision information is stored in the specification."},
        {61887, "Quorbit Bundle %s contains %d Ispec(s)."},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.id);
        const CString* text = library->FindString(t.id);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->str(), t.text);
    }
}

TEST_F(OwnTextsTest, DialogLabelsReadAsTheUserIsToSeeThem)
{
    constexpr UINT kNewSystemFirstPage = 124;
    constexpr UINT kGenerateReports = 222;
    EXPECT_EQ(DialogText(kNewSystemFirstPage, -1), "This wizard will add a new System specification.");
    EXPECT_EQ(DialogText(kGenerateReports, 1295), "the report specification name");
}
