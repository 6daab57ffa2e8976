// The menu bar's pointer handling step by step, over a view and host that write down every step
// with the hovered button it saw.

#include "engine/state.h"
#include "window/menus/menubarhandlers.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kalvon {
namespace {

using ::testing::ElementsAre;

const char* buttonName(MenuBarButton button)
{
    switch (button) {
    case MenuBarButton::File: return "File";
    case MenuBarButton::Options: return "Options";
    case MenuBarButton::Help: return "Help";
    case MenuBarButton::Fields: return "Fields";
    case MenuBarButton::Server: return "Server";
    case MenuBarButton::Connect: return "Connect";
    case MenuBarButton::Theme: return "Theme";
    case MenuBarButton::Chat: return "Chat";
    }
    return "?";
}

const char* menuName(DropDown menu)
{
    switch (menu) {
    case DropDown::File: return "File";
    case DropDown::GameMode: return "GameMode";
    case DropDown::Help: return "Help";
    }
    return "?";
}

// Writes "tile <button> <normal|hover|current> @<hover button>" for each tile, and the menus'
// and host's steps by name.
class RecordingBar final : public MenuBarView, public MenuBarHost {
public:
    RecordingBar()
        : handlers(*this, *this)
    {
    }

    MenuBarHandlers handlers;
    Screen screen = Screen::Fields;
    std::map<DropDown, bool> shown{ { DropDown::File, false }, { DropDown::GameMode, false },
        { DropDown::Help, false } };
    std::vector<std::string> steps;

    void drawButton(MenuBarButton button, ButtonTile tile) override
    {
        static const char* const tiles[] = { "normal", "hover", "current" };
        steps.push_back(std::string("tile ") + buttonName(button) + " " + tiles[int(tile)] + " @"
            + std::to_string(handlers.HoverButton()));
    }
    bool menuShown(DropDown menu) const override { return shown.at(menu); }
    void showMenu(DropDown menu, bool show) override
    {
        shown[menu] = show;
        steps.push_back(std::string(show ? "show " : "hide ") + menuName(menu));
    }
    void raiseMenu(DropDown menu) override { steps.push_back(std::string("raise ") + menuName(menu)); }
    void placeMenus() override { steps.emplace_back("placeMenus"); }
    void drawFileMenu() override { steps.emplace_back("drawFileMenu"); }
    void DrawHelpMenu(int row) override { steps.push_back("DrawHelpMenu " + std::to_string(row)); }

    Screen CurrentScreen() const override { return screen; }
    bool offline() const override { return true; }
    void FocusField() override { steps.emplace_back("FocusField"); }
    void playClick() override { steps.emplace_back("click"); }
    const EngineState& gameState() const override { return state; }
    void ShowHelp() override { steps.emplace_back("ShowHelp"); }
    void showAbout() override { steps.emplace_back("showAbout"); }

    // The steps that are not a normal tile of the repaint.
    std::vector<std::string> withoutNormalTiles() const
    {
        std::vector<std::string> rest;
        std::copy_if(steps.begin(), steps.end(), std::back_inserter(rest),
            [](const std::string& step) { return step.find(" normal @") == std::string::npos; });
        return rest;
    }
    // The buttons that got their normal tile, in order.
    std::vector<std::string> normalTiles() const
    {
        std::vector<std::string> buttons;
        for (const std::string& step : steps) {
            if (step.find(" normal @") != std::string::npos)
                buttons.push_back(step.substr(5, step.find(' ', 5) - 5));
        }
        return buttons;
    }

private:
    EngineState state;
};

TEST(MenuBarHandlersTest, RepaintResetsAllButTheHoveredButtonInItsOrderThenMarksThePageShown)
{
    RecordingBar bar;
    bar.screen = Screen::Server;
    bar.handlers.pointerOnButton(MenuBarButton::Theme);
    bar.steps.clear();
    bar.handlers.PaintToolbarButtons();
    EXPECT_THAT(
        bar.normalTiles(), ElementsAre("File", "Options", "Help", "Fields", "Server", "Connect", "Chat"));
    EXPECT_THAT(bar.withoutNormalTiles(), ElementsAre("tile Server current @8"))
        << "the current tile comes last";

    // With nothing hovered every button is reset, and the menus close first.
    bar.shown[DropDown::Help] = true;
    bar.handlers.pointerOffBar();
    EXPECT_EQ(bar.normalTiles().size(), 8u + 7u);
    EXPECT_THAT(bar.withoutNormalTiles(),
        ElementsAre(
            "tile Server current @8", "hide File", "hide GameMode", "hide Help", "tile Server current @0"));
}

// Each button's hover step: which hover value the repaint saw (so which button it left alone and
// whether it closed the menus) and when the button's own tile was drawn.
TEST(MenuBarHandlersTest, EachButtonsHoverStepsRunInItsOwnOrder)
{
    const struct Case {
        MenuBarButton button;
        Screen screen;
        MenuBarButton before; // hovered before
        const char* repaintSkips; // the button the repaint left alone
        std::vector<std::string> rest; // the steps besides the normal tiles
    } cases[] = {
        // The File button draws its tile before it counts as hovered.
        { MenuBarButton::File, Screen::Options, MenuBarButton::Theme, "Theme",
            { "tile Options current @8", "tile File hover @8" } },
        { MenuBarButton::Options, Screen::Fields, MenuBarButton::File, "File",
            { "tile Fields current @1", "tile Options hover @3" } },
        { MenuBarButton::Help, Screen::Fields, MenuBarButton::Options, "Options",
            { "tile Fields current @3", "tile Help hover @4" } },
        // The fields button counts as hovered before the repaint, which leaves it alone.
        { MenuBarButton::Fields, Screen::Options, MenuBarButton::Help, "Fields",
            { "tile Options current @5", "tile Fields hover @5" } },
        { MenuBarButton::Server, Screen::Fields, MenuBarButton::Chat, "Chat",
            { "tile Fields current @9", "tile Server hover @6" } },
        { MenuBarButton::Connect, Screen::Chat, MenuBarButton::Server, "Server",
            { "tile Chat current @6", "tile Connect hover @7" } },
        { MenuBarButton::Theme, Screen::Fields, MenuBarButton::Connect, "Connect",
            { "tile Fields current @7", "tile Theme hover @8" } },
        { MenuBarButton::Chat, Screen::Fields, MenuBarButton::Theme, "Theme",
            { "tile Fields current @8", "tile Chat hover @9" } },
        // A page button keeps its current tile while its page shows; File and Help never do.
        { MenuBarButton::Options, Screen::Options, MenuBarButton::File, "File",
            { "tile Options current @1" } },
        { MenuBarButton::Fields, Screen::Fields, MenuBarButton::File, "Fields",
            { "tile Fields current @5" } },
        { MenuBarButton::Server, Screen::Server, MenuBarButton::File, "File", { "tile Server current @1" } },
        { MenuBarButton::Connect, Screen::Connect, MenuBarButton::File, "File",
            { "tile Connect current @1" } },
        { MenuBarButton::Theme, Screen::Themes, MenuBarButton::File, "File", { "tile Theme current @1" } },
        { MenuBarButton::Chat, Screen::Chat, MenuBarButton::File, "File", { "tile Chat current @1" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << buttonName(c.button) << " on page " << int(c.screen));
        RecordingBar bar;
        bar.screen = c.screen;
        bar.handlers.pointerOnButton(c.before);
        bar.steps.clear();
        bar.handlers.pointerOnButton(c.button);
        EXPECT_EQ(bar.handlers.HoverButton(), int(c.button));
        std::vector<std::string> all
            = { "File", "Options", "Help", "Fields", "Server", "Connect", "Theme", "Chat" };
        all.erase(std::find(all.begin(), all.end(), c.repaintSkips));
        EXPECT_EQ(bar.normalTiles(), all);
        EXPECT_EQ(bar.withoutNormalTiles(), c.rest);
    }
}

// From nothing hovered (the pointer came from the page or the menus were opened without a move
// over the bar), a button's repaint closes the open menus, except the fields button's.
TEST(MenuBarHandlersTest, FromNothingHoveredOnlyTheFieldsButtonKeepsTheMenusOpen)
{
    const struct {
        MenuBarButton button;
        Screen screen;
        bool menusClose;
        bool focusesField;
    } cases[] = {
        { MenuBarButton::Options, Screen::Fields, true, true },
        { MenuBarButton::File, Screen::Fields, true, true },
        { MenuBarButton::Help, Screen::Chat, true, false },
        { MenuBarButton::Fields, Screen::Fields, false, false },
        { MenuBarButton::Fields, Screen::Options, false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(buttonName(c.button));
        RecordingBar bar;
        bar.screen = c.screen;
        bar.shown[DropDown::File] = bar.shown[DropDown::GameMode] = true;
        bar.handlers.pointerOnButton(c.button);
        EXPECT_EQ(bar.shown[DropDown::File], !c.menusClose);
        EXPECT_EQ(bar.shown[DropDown::GameMode], !c.menusClose);
        EXPECT_EQ(std::count(bar.steps.begin(), bar.steps.end(), "FocusField"), c.focusesField ? 1 : 0);
    }
}

TEST(MenuBarHandlersTest, FileButtonOpensAndClosesItsMenu)
{
    RecordingBar bar;
    bar.handlers.pointerOnButton(MenuBarButton::File);
    bar.steps.clear();
    bar.handlers.toggleFileMenu();
    EXPECT_THAT(bar.withoutNormalTiles(),
        ElementsAre("raise File", "tile Fields current @1", "click", "show File", "placeMenus",
            "drawFileMenu", "FocusField"));
    EXPECT_EQ(bar.steps[1], "tile Options normal @1") << "the bar is repainted before the click";

    bar.shown[DropDown::GameMode] = true;
    bar.steps.clear();
    bar.handlers.toggleFileMenu();
    EXPECT_THAT(bar.withoutNormalTiles(),
        ElementsAre(
            "raise File", "tile Fields current @1", "click", "hide File", "hide GameMode", "FocusField"));
    EXPECT_FALSE(bar.shown[DropDown::Help]);

    // Away from the fields page the keyboard stays where it is.
    bar.screen = Screen::Options;
    bar.steps.clear();
    bar.handlers.toggleFileMenu();
    EXPECT_EQ(std::count(bar.steps.begin(), bar.steps.end(), "FocusField"), 0);
    EXPECT_TRUE(bar.shown[DropDown::File]);
}

TEST(MenuBarHandlersTest, HelpButtonOpensAndClosesItsMenuWithoutRepaintingTheBar)
{
    RecordingBar bar;
    bar.handlers.pointerOnButton(MenuBarButton::Help);
    bar.steps.clear();
    bar.handlers.toggleHelpMenu();
    EXPECT_THAT(
        bar.steps, ElementsAre("raise Help", "tile Help current @4", "click", "show Help", "FocusField"));

    bar.shown[DropDown::File] = bar.shown[DropDown::GameMode] = true;
    bar.steps.clear();
    bar.handlers.toggleHelpMenu();
    EXPECT_THAT(bar.steps,
        ElementsAre(
            "raise Help", "click", "hide Help", "tile Help normal @4", "hide GameMode", "FocusField"));
    EXPECT_TRUE(bar.shown[DropDown::File]) << "the File menu stays open";
}

TEST(MenuBarHandlersTest, HelpRowsHighlightAndChooseThenCloseTheMenu)
{
    RecordingBar bar;
    EXPECT_EQ(bar.handlers.HelpMenuHover(), 0);
    bar.shown[DropDown::Help] = true;
    bar.handlers.pointerOnHelpRow(1);
    EXPECT_EQ(bar.handlers.HelpMenuHover(), 1);
    bar.handlers.chooseHelpRow(1);
    bar.shown[DropDown::Help] = true;
    bar.handlers.chooseHelpRow(0);
    EXPECT_THAT(bar.steps,
        ElementsAre("DrawHelpMenu 1", "showAbout", "click", "hide Help", "ShowHelp", "click", "hide Help"));
}

} // namespace
} // namespace kalvon
