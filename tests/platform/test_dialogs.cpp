// The file-dialog filters: "desc|pattern|" texts become Qt filters that match either case.

#include "common/dialogs.h"
#include "platform/ui/qtdialogs.h"

#include <gtest/gtest.h>

using namespace kalvon;

TEST(FileFilter, SplitsDescriptionsAndPatterns)
{
    const auto filters = parseFileFilter("Kalvon Themes|*.kvx;*.tnp|All Files|*.*|");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "Kalvon Themes");
    EXPECT_EQ(filters[0].patterns, (std::vector<Bytes>{"*.kvx", "*.tnp"}));
    EXPECT_EQ(filters[1].patterns, (std::vector<Bytes>{"*.*"}));
}

TEST(FileFilter, ToleratesMissingTrailingBarAndOddCount)
{
    EXPECT_EQ(parseFileFilter("Text|*.txt").size(), 1u);
    EXPECT_TRUE(parseFileFilter("lonely").empty());
    EXPECT_TRUE(parseFileFilter("").empty());
}

TEST(FileFilter, QtFilterMatchesBothCases)
{
    EXPECT_EQ(QtDialogs::qtNameFilter("Themes|*.kvx;*.TNP|"),
              QStringLiteral("Themes (*.[kK][vV][xX] *.[tT][nN][pP])"));
    EXPECT_EQ(QtDialogs::qtNameFilter("A|*.a|B|*.*|"), QStringLiteral("A (*.[aA]);;B (*.*)"));
}
