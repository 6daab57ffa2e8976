// The block occurrence dialog: it shows the table with its totals and the theme's samples,
// corrects special boxes while they are typed in, refuses OK with a box that is no percentage,
// stores on OK only, and follows the game's state for editing.

#include "engine/store/options.h"
#include "render/themeimages.h"
#include "render/themerecord.h"
#include "render/tilecodedtheme.h"
#include "support/scripteddialogs.h"
#include "window/blockratiodialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::ScriptedDialogs;

struct DialogRig {
    DialogRig()
    {
        themes.CurrentTheme.themetype = 1;
        images.blocks = testing::blockSheet(1, false);
    }
    BlockOccurancy table = kDefaultBlockOccurancy;
    Themes themes;
    ThemeImages images;
    ScriptedDialogs dialogs;
    bool boxesEnabled = true;

    std::unique_ptr<BlockRatioDialog> open()
    {
        auto dialog = std::make_unique<BlockRatioDialog>(
            table, themes, images, dialogs, [this] { return boxesEnabled; });
        dialog->show();
        return dialog;
    }
};

void retype(QLineEdit& box, const QString& text)
{
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, text);
}

void click(BlockRatioDialog& dialog, const char* button)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

TEST(BlockRatioDialog, ShowsTheTableTotalsAndTheThemesSamples)
{
    DialogRig rig;
    const auto dialog = rig.open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Block Occurancy"));
    EXPECT_EQ(dialog->box(0).text(), QStringLiteral("14"));
    EXPECT_EQ(dialog->box(7 + 5).text(), QStringLiteral("11"));
    EXPECT_EQ(dialog->shapeTotal(), QStringLiteral("Total Percent: 100"));
    EXPECT_EQ(dialog->specialTotal(), QStringLiteral("Total Percent: 99"));

    // The line piece's row shows block colour 0, the T's colour 1; Holy Shield's icon is tile 21.
    const auto pixelOf = [&dialog](const char* name) {
        return dialog->findChild<QLabel*>(QString::fromLatin1(name))->pixmap().toImage().pixel(7, 7);
    };
    EXPECT_EQ(pixelOf("picBlock2(3)"), testing::tileColor(testing::Area::LargeTile, 0));
    EXPECT_EQ(pixelOf("picBlock1(0)"), testing::tileColor(testing::Area::LargeTile, 1));
    EXPECT_EQ(pixelOf("picSpecials(15)"), testing::tileColor(testing::Area::LargeTile, 21));
}

TEST(BlockRatioDialog, SpecialBoxesCorrectThemselvesAsTheyAreTyped)
{
    DialogRig rig;
    const auto dialog = rig.open();
    QLineEdit& nuke = dialog->box(7 + 2);
    const std::pair<const char*, const char*> cases[] = {
        { "", "100" },
        { "250", "100" },
        { "-5", "0" },
        { "abc", "100" },
        { "2.5", "2.5" },
    };
    for (const auto& [entered, shown] : cases) {
        nuke.setText(QString::fromLatin1(entered));
        EXPECT_EQ(nuke.text(), QString::fromLatin1(shown)) << entered;
    }
    // Typed key by key: the "100" a cleared box shows is replaced by what comes next.
    retype(nuke, QStringLiteral("7"));
    EXPECT_EQ(nuke.text(), QStringLiteral("7"));
    retype(nuke, QStringLiteral("350"));
    EXPECT_EQ(nuke.text(), QStringLiteral("100"));
    QTest::keyClicks(&nuke, QStringLiteral("12"));
    EXPECT_EQ(nuke.text(), QStringLiteral("12"));
    EXPECT_EQ(dialog->specialTotal(), QStringLiteral("Total Percent: 109"));
    EXPECT_EQ(rig.table, kDefaultBlockOccurancy) << "nothing is stored while typing";
}

TEST(BlockRatioDialog, OkRefusesABoxWithoutAPercentageAndStoresOtherwise)
{
    DialogRig rig;
    const auto dialog = rig.open();
    retype(dialog->box(3), QStringLiteral("abc"));
    click(*dialog, "cmdOK");
    ASSERT_EQ(
        rig.dialogs.messages(), std::vector<Bytes>{ "You need to enter a number for block percentage!" });
    EXPECT_EQ(rig.dialogs.calls[0].title, "Error");
    EXPECT_EQ(rig.dialogs.calls[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(rig.table, kDefaultBlockOccurancy);

    retype(dialog->box(3), QStringLiteral("200"));
    click(*dialog, "cmdOK");
    EXPECT_EQ(rig.dialogs.messages().size(), 2u) << "a shape above 100 is refused too";

    const char* shapes[] = { "50", "50", "50", "0", "0", "0", "2.5" };
    for (int i = 0; i < 7; ++i)
        retype(dialog->box(i), QString::fromLatin1(shapes[i]));
    EXPECT_EQ(dialog->shapeTotal(), QStringLiteral("Total Percent: 152"));
    click(*dialog, "cmdOK");
    EXPECT_FALSE(dialog->isVisible());
    const BlockOccurancy expected{ 50, 50, 50, 0, 0, 0, 2, 13, 13, 2, 9, 3, 11, 3, 9, 2, 6, 2, 6, 5, 5, 7,
        3 };
    EXPECT_EQ(rig.table, expected);
}

TEST(BlockRatioDialog, ResetThenCancelStoresNothing)
{
    DialogRig rig;
    const auto dialog = rig.open();
    click(*dialog, "cmdDefault");
    EXPECT_EQ(dialog->box(7 + 5).text(), QStringLiteral("12"));
    EXPECT_EQ(dialog->specialTotal(), QStringLiteral("Total Percent: 100"));
    click(*dialog, "cmdCancel");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(rig.table, kDefaultBlockOccurancy);
}

TEST(BlockRatioDialog, BoxesFollowTheGameState)
{
    DialogRig rig;
    rig.boxesEnabled = false; // opened during a one-player game
    const auto dialog = rig.open();
    QGroupBox* normal = dialog->findChild<QGroupBox*>(QStringLiteral("fraNormal"));
    QGroupBox* specials = dialog->findChild<QGroupBox*>(QStringLiteral("fraSpecials"));
    EXPECT_FALSE(normal->isEnabled());
    EXPECT_FALSE(specials->isEnabled());
    EXPECT_FALSE(dialog->box(0).isEnabled());

    rig.boxesEnabled = true; // the game stopped; the dialog becomes active again
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_TRUE(normal->isEnabled());
    EXPECT_TRUE(specials->isEnabled());

    dialog->setBoxesEnabled(false); // a game starts while it is open
    EXPECT_FALSE(dialog->box(7).isEnabled());
}

} // namespace
} // namespace kalvon
