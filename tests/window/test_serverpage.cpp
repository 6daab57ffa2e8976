// The server page's numeric fields correct themselves as they are typed in (only when the text
// differs, the caret kept at the end) and store what they keep in the options model; the rule
// boxes store their values and ask for the settings to be sent again.

#include "engine/store/options.h"
#include "engine/store/rulefields.h"
#include "window/pages/serverpage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

class ServerPageTest : public ::testing::Test {
protected:
    ServerPageTest()
    {
        area.resize(640, 500);
        page.bindOptions(options.gameOptions, options.network);
        page.ShowServerControls();
    }

    QLineEdit& field(const char* name) { return *page.control<QLineEdit>(QLatin1String(name)); }
    // The whole text replaced at once, as a paste does.
    static void paste(QLineEdit& box, const char* text)
    {
        box.selectAll();
        box.insert(QLatin1String(text));
    }

    QWidget area;
    ServerPage page{ area };
    Options options;
};

struct Typed {
    const char* field;
    const char* typed; // the box's whole text after an edit
    const char* shown; // what the box then holds
};

// Every numeric field of the page, with the edges of its range and what it keeps.
constexpr Typed kTyped[] = {
    { "txtDelay", "abc", "0" },
    { "txtDelay", "007", "7" },
    { "txtDelay", "2.5", "2" },
    { "txtDelay", "3.5", "4" },
    { "txtDelay", "150", "100" },
    { "txtDelay", "-3", "0" },
    { "txtDelay", "40000", "0" }, // beyond 16 bits
    { "txtDelay", "1e2", "0" }, // no exponents
    { "txtLevel", "100", "100" },
    { "txtLevel", "101", "100" },
    { "txtMaxSpecial", " 16 ", "16" },
    { "txtMaxSpecial", "&H10", "0" }, // no hexadecimal
    { "txtLineLevel", "60", "50" },
    { "txtLineLevel", "50", "50" },
    { "txtLineLevel", "0", "0" }, // levels never rise
    { "txtLevelsMade", "51", "50" },
    { "txtLineSpec", "0", "0" }, // no specials from lines
    { "txtLineSpec", "", "0" },
    { "txtSpecialsMade", "12.5", "12" },
    { "txtPlayerHeight(1)", "25", "18" },
    { "txtPlayerHeight(2)", "", "0" },
    { "txtPlayerHeight(3)", "1.5", "1.5" }, // a fraction in range stays as typed
    { "txtPlayerHeight(4)", "-1", "0" },
    { "txtPlayerHeight(5)", "18.5", "18" },
    { "txtPlayerHeight(6)", "99999", "18" }, // too large for 16 bits too
    { "txtPlayerHeight(6)", "x", "0" },
};

TEST_F(ServerPageTest, NumericFieldsKeepTheirRange)
{
    for (const Typed& row : kTyped) {
        SCOPED_TRACE(std::string(row.field) + " <- \"" + row.typed + "\"");
        QLineEdit& box = field(row.field);
        paste(box, "9");
        paste(box, row.typed);
        EXPECT_EQ(box.text(), QLatin1String(row.shown));
        EXPECT_EQ(box.cursorPosition(), box.text().size()) << "the caret stays at the end";
    }
}

// The model holds each field's kept text; a start height keeps its fraction for the game options
// to round.
TEST_F(ServerPageTest, KeptTextsReachTheOptionsModel)
{
    const std::pair<const char*, const char*> typed[] = { { "txtDelay", "55" }, { "txtLevel", "7" },
        { "txtMaxSpecial", "30" }, { "txtLineLevel", "0" }, { "txtLevelsMade", "2" }, { "txtLineSpec", "0" },
        { "txtSpecialsMade", "3" }, { "txtPlayerHeight(2)", "2.5" } };
    for (const auto& [name, text] : typed)
        paste(field(name), text);
    const GameOptionSettings& rules = options.gameOptions;
    EXPECT_EQ(rules.delay, "55");
    EXPECT_EQ(rules.startLevel, "7");
    EXPECT_EQ(rules.maxSpecials, "30");
    EXPECT_EQ(rules.lineLevel, "0");
    EXPECT_EQ(rules.raiseLevel, "2");
    EXPECT_EQ(rules.specialLine, "0");
    EXPECT_EQ(rules.specialsMade, "3");
    EXPECT_EQ(rules.startHeight[1], "2.5");

    // Typing "12" into a box showing 0 gives 12, not 21: the caret never jumps to the start.
    field("txtLevel").setText(QStringLiteral("0"));
    field("txtLevel").end(false);
    QTest::keyClick(&field("txtLevel"), Qt::Key_Backspace);
    QTest::keyClicks(&field("txtLevel"), QStringLiteral("12"));
    EXPECT_EQ(field("txtLevel").text(), QStringLiteral("12"));
    EXPECT_EQ(rules.startLevel, "12");
}

// Stored texts outside their range are corrected as the page shows them; the port and the
// client limit are shown as stored.
TEST_F(ServerPageTest, StoredTextsAreCorrectedWhenShown)
{
    Options stored;
    stored.gameOptions.delay = "250";
    stored.gameOptions.startHeight[0] = "-4";
    stored.network.port = "not a port";
    stored.network.maxClients = "99";
    page.bindOptions(stored.gameOptions, stored.network);
    EXPECT_EQ(field("txtDelay").text(), QStringLiteral("100"));
    EXPECT_EQ(stored.gameOptions.delay, "100");
    EXPECT_EQ(stored.gameOptions.startHeight[0], "0");
    EXPECT_EQ(page.portBox().text(), QStringLiteral("not a port"));
    EXPECT_EQ(page.maxClientsBox().text(), QStringLiteral("99"));
}

TEST_F(ServerPageTest, RuleBoxClicksStoreTheValueAndAskForASend)
{
    options.gameOptions.classic = 2; // greyed
    page.bindOptions(options.gameOptions, options.network);
    QSignalSpy resend(&page, &ServerPage::ruleBoxClicked);
    const CheckValue GameOptionSettings::*values[] = { &GameOptionSettings::specials,
        &GameOptionSettings::lineSpecial, &GameOptionSettings::classic, &GameOptionSettings::sameLevel };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        QCheckBox& box = page.ruleBox(i);
        const CheckValue before = options.gameOptions.*values[i];
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, 6));
        EXPECT_EQ(resend.count(), i + 1);
        const CheckValue after = options.gameOptions.*values[i];
        EXPECT_NE(after, before);
        EXPECT_TRUE(after == 0 || after == 1) << "a click leaves the greyed state";
    }
    // Defaults set every box: only the ones that change count as clicked.
    resend.clear();
    page.ruleBox(0).setChecked(true);
    page.cmdDefaultServOptions_Click();
    EXPECT_EQ(options.gameOptions.specials, 1);
    EXPECT_EQ(options.gameOptions.lineSpecial, 1);
    EXPECT_EQ(options.gameOptions.classic, 1);
    EXPECT_EQ(options.gameOptions.sameLevel, 1);
    EXPECT_EQ(options.gameOptions.lineLevel, "1");
    EXPECT_EQ(options.gameOptions.maxSpecials, "16");
    EXPECT_EQ(options.network.port, "90");
    EXPECT_EQ(options.network.maxClients, "6");
    EXPECT_GE(resend.count(), 1);
}

} // namespace
} // namespace kalvon
