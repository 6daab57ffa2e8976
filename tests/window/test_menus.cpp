// The menu bar and its menus as the user meets them: real pointer moves and clicks on the
// window, the pixels grabbed from it compared with the rectangles of the theme's sheets, and the
// game session behind the File menu.

#include "menurig.h"
#include "window/fieldview.h"
#include "window/pages/fieldspage.h"

#include <QApplication>
#include <QCursor>
#include <QSignalSpy>

namespace kalvon {
namespace {

using namespace testing;

constexpr QSize kButton(72, 19);
constexpr QSize kConnect(140, 19);

enum class Before { Nothing, Hover, OpenHelp, GoOnline };

TEST(MenusTest, EachButtonShowsItsTileForItsState)
{
    const struct Case {
        const char* what;
        GameMode mode;
        Screen screen;
        Before before;
        MenuBarButton button;
        QRect tile; // in the tile sheet
    } cases[] = {
        { "File normal", GameMode::OnePlayer, Screen::Fields, Before::Nothing, MenuBarButton::File,
            { { 504, 80 }, kButton } },
        { "File hover", GameMode::OnePlayer, Screen::Fields, Before::Hover, MenuBarButton::File,
            { { 504, 99 }, kButton } },
        { "Help normal", GameMode::TwoPlayers, Screen::Fields, Before::Nothing, MenuBarButton::Help,
            { { 504, 137 }, kButton } },
        { "Help hover", GameMode::OnePlayer, Screen::Options, Before::Hover, MenuBarButton::Help,
            { { 504, 156 }, kButton } },
        { "Help with its menu open", GameMode::OnePlayer, Screen::Fields, Before::OpenHelp,
            MenuBarButton::Help, { { 504, 175 }, kButton } },
        { "Options normal", GameMode::OnePlayer, Screen::Fields, Before::Nothing, MenuBarButton::Options,
            { { 504, 194 }, kButton } },
        { "Options hover", GameMode::OnePlayer, Screen::Fields, Before::Hover, MenuBarButton::Options,
            { { 504, 213 }, kButton } },
        { "Options current", GameMode::OnePlayer, Screen::Options, Before::Nothing, MenuBarButton::Options,
            { { 504, 232 }, kButton } },
        { "Options hovered on its page", GameMode::OnePlayer, Screen::Options, Before::Hover,
            MenuBarButton::Options, { { 504, 232 }, kButton } },
        { "Server normal", GameMode::Internet, Screen::Fields, Before::Nothing, MenuBarButton::Server,
            { { 504, 251 }, kButton } },
        { "Server hover", GameMode::Internet, Screen::Chat, Before::Hover, MenuBarButton::Server,
            { { 504, 270 }, kButton } },
        { "Server current", GameMode::Internet, Screen::Server, Before::Nothing, MenuBarButton::Server,
            { { 504, 289 }, kButton } },
        { "Chat normal", GameMode::Internet, Screen::Fields, Before::Nothing, MenuBarButton::Chat,
            { { 504, 308 }, kButton } },
        { "Chat hover", GameMode::Internet, Screen::Fields, Before::Hover, MenuBarButton::Chat,
            { { 504, 327 }, kButton } },
        { "Chat current", GameMode::Internet, Screen::Chat, Before::Hover, MenuBarButton::Chat,
            { { 504, 346 }, kButton } },
        { "Fields normal", GameMode::OnePlayer, Screen::Themes, Before::Nothing, MenuBarButton::Fields,
            { { 504, 365 }, kButton } },
        { "Fields hover", GameMode::OnePlayer, Screen::Options, Before::Hover, MenuBarButton::Fields,
            { { 504, 384 }, kButton } },
        { "Fields current", GameMode::TwoPlayers, Screen::Fields, Before::Hover, MenuBarButton::Fields,
            { { 504, 403 }, kButton } },
        { "Theme normal", GameMode::OnePlayer, Screen::Fields, Before::Nothing, MenuBarButton::Theme,
            { { 280, 413 }, kButton } },
        { "Theme hover", GameMode::OnePlayer, Screen::Fields, Before::Hover, MenuBarButton::Theme,
            { { 280, 432 }, kButton } },
        { "Theme current", GameMode::OnePlayer, Screen::Themes, Before::Nothing, MenuBarButton::Theme,
            { { 280, 451 }, kButton } },
        { "Connect face normal", GameMode::Internet, Screen::Fields, Before::Nothing, MenuBarButton::Connect,
            { { 0, 413 }, kConnect } },
        { "Connect face hover", GameMode::Internet, Screen::Fields, Before::Hover, MenuBarButton::Connect,
            { { 0, 432 }, kConnect } },
        { "Connect face current", GameMode::Internet, Screen::Connect, Before::Hover, MenuBarButton::Connect,
            { { 0, 451 }, kConnect } },
        { "Disconnect face normal", GameMode::Internet, Screen::Fields, Before::GoOnline,
            MenuBarButton::Connect, { { 140, 413 }, kConnect } },
        { "Disconnect face current", GameMode::Internet, Screen::Connect, Before::GoOnline,
            MenuBarButton::Connect, { { 140, 451 }, kConnect } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuRig rig(c.mode);
        rig.window.showPage(c.screen);
        ASSERT_EQ(rig.window.CurrentScreen(), c.screen);
        PictureView& button = rig.button(c.button);
        ASSERT_TRUE(button.isVisible());
        switch (c.before) {
        case Before::Nothing: break;
        case Before::Hover: MenuRig::moveTo(button); break;
        case Before::OpenHelp: MenuRig::click(button); break;
        case Before::GoOnline:
            rig.window.setOffline(false);
            rig.window.PaintToolbarButtons();
            break;
        }
        EXPECT_TRUE(samePixels(rig.shown(button), sheetPart(rig.images.interfaceMisc, c.tile)));
    }
}

TEST(MenusTest, DisconnectFaceTurnsBackToTheConnectFaceOnTheNextRepaint)
{
    MenuRig rig(GameMode::Internet);
    rig.window.setOffline(false);
    PictureView& connect = rig.button(MenuBarButton::Connect);
    MenuRig::moveTo(connect);
    EXPECT_TRUE(
        samePixels(rig.shown(connect), sheetPart(rig.images.interfaceMisc, { { 140, 432 }, kConnect })));
    rig.window.setOffline(true);
    MenuRig::moveTo(rig.button(MenuBarButton::Options));
    MenuRig::moveTo(rig.window.pageArea(), { 600, 496 });
    EXPECT_TRUE(
        samePixels(rig.shown(connect), sheetPart(rig.images.interfaceMisc, { { 0, 413 }, kConnect })));
}

// The File menu as the game leaves it: its background, the stop and resume overlays of a
// started and a paused game, and the hovered row's highlight, for each hot area.
TEST(MenusTest, FileMenuShowsTheGamesOverlaysAndTheHoveredRowsHighlight)
{
    enum class Game { Idle, Started, Paused };
    const struct Case {
        Game game;
        const char* marker;
        int rowY;
        QPoint highlight; // in the menu sheet, 149 x 20
    } cases[] = {
        { Game::Idle, "menumarker(0)", 7, { 0, 0 } },
        { Game::Idle, "menumarker(5)", 7, { 0, 0 } },
        { Game::Idle, "menumarker(2)", 67, { 0, 60 } },
        { Game::Idle, "menumarker(3)", 97, { 0, 40 } },
        { Game::Idle, "menumarker(4)", 139, { 149, 40 } },
        { Game::Started, "menumarker(0)", 7, { 149, 0 } },
        { Game::Started, "menumarker(1)", 35, { 0, 20 } },
        { Game::Started, "menumarker(3)", 97, { 0, 40 } },
        { Game::Paused, "menumarker(0)", 7, { 149, 0 } },
        { Game::Paused, "menumarker(6)", 35, { 149, 20 } },
        { Game::Paused, "menumarker(4)", 139, { 149, 40 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.game) << " " << c.marker);
        MenuRig rig;
        FileMenu& menu = rig.bar().fileMenu();
        PictureView& file = rig.button(MenuBarButton::File);
        if (c.game != Game::Idle) {
            MenuRig::click(file);
            MenuRig::click(rig.marker("menumarker(0)"));
            ASSERT_TRUE(rig.state().GameStarted);
            EXPECT_FALSE(menu.isVisible()) << "starting closes the menu";
        }
        MenuRig::moveTo(file);
        MenuRig::click(file);
        ASSERT_TRUE(menu.isVisible());
        if (c.game == Game::Paused) {
            MenuRig::click(rig.marker("menumarker(1)"));
            ASSERT_TRUE(rig.state().GamePaused);
        }
        MenuRig::moveTo(rig.marker(c.marker));

        QImage expected = sheetPart(rig.images.interfaceMisc, { 355, 80, 149, 163 });
        if (c.game != Game::Idle)
            paste(expected, sheetPart(rig.images.interfaceMisc, { 198, 0, 149, 20 }), { 0, 7 });
        if (c.game == Game::Paused)
            paste(expected, sheetPart(rig.images.interfaceMisc, { 198, 20, 149, 20 }), { 0, 35 });
        paste(expected, sheetPart(rig.images.menu, { c.highlight, QSize(149, 20) }), { 0, c.rowY });
        EXPECT_TRUE(samePixels(rig.shown(menu), expected));
        EXPECT_EQ(menu.pos(), QPoint(8, 24));
    }
}

// Before the pointer has been on the File menu, its first row is highlighted; afterwards it
// opens with the row last hovered.
TEST(MenusTest, FileMenuOpensWithTheRowLastHovered)
{
    MenuRig rig;
    FileMenu& menu = rig.bar().fileMenu();
    PictureView& file = rig.button(MenuBarButton::File);
    const QImage background = sheetPart(rig.images.interfaceMisc, { 355, 80, 149, 163 });
    const auto withRow = [&](QPoint highlight, int y) {
        QImage image = background;
        paste(image, sheetPart(rig.images.menu, { highlight, QSize(149, 20) }), { 0, y });
        return image;
    };
    MenuRig::click(file);
    EXPECT_TRUE(samePixels(rig.shown(menu), withRow({ 0, 0 }, 7)));
    MenuRig::moveTo(rig.marker("menumarker(3)"));
    MenuRig::moveTo(file);
    MenuRig::click(file);
    EXPECT_FALSE(menu.isVisible());
    MenuRig::click(file);
    EXPECT_TRUE(samePixels(rig.shown(menu), withRow({ 0, 40 }, 97)));
    EXPECT_EQ(rig.clicks(), 3);
}

TEST(MenusTest, GameModeSubmenuMarksTheModeAndHighlightsAnotherHoveredRow)
{
    const struct Case {
        GameMode mode;
        int hovered; // GMmenumarker hovered, -1 none (only the File menu's game-mode row)
    } cases[] = {
        { GameMode::OnePlayer, -1 },
        { GameMode::OnePlayer, 2 },
        { GameMode::TwoPlayers, 0 },
        { GameMode::TwoPlayers, 1 },
        { GameMode::Internet, 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.mode) << " " << c.hovered);
        MenuRig rig(c.mode);
        MenuRig::click(rig.button(MenuBarButton::File));
        MenuRig::moveTo(rig.marker("menumarker(2)"));
        GameModeMenu& submenu = rig.bar().gameModeMenu();
        ASSERT_TRUE(submenu.isVisible());
        EXPECT_EQ(submenu.pos(), QPoint(157, 64));
        if (c.hovered >= 0)
            MenuRig::moveTo(rig.marker(("GMmenumarker(" + std::to_string(c.hovered) + ")").c_str()));

        const int rowY[] = { 0, 27, 56 };
        const int current = int(c.mode) - 1;
        QImage expected = sheetPart(rig.images.interfaceMisc, { 459, 0, 104, 80 });
        paste(
            expected, sheetPart(rig.images.menu, { 104, 80 + 20 * current, 104, 20 }), { 0, rowY[current] });
        if (c.hovered >= 0 && c.hovered != current)
            paste(expected, sheetPart(rig.images.menu, { 0, 80 + 20 * c.hovered, 104, 20 }),
                { 0, rowY[c.hovered] });
        EXPECT_TRUE(samePixels(rig.shown(submenu), expected));
        // On the submenu the File menu shows no highlight; on its game-mode row, that row's.
        QImage file = sheetPart(rig.images.interfaceMisc, { 355, 80, 149, 163 });
        if (c.hovered < 0)
            paste(file, sheetPart(rig.images.menu, { 0, 60, 149, 20 }), { 0, 67 });
        EXPECT_TRUE(samePixels(rig.shown(rig.bar().fileMenu()), file));
    }
}

TEST(MenusTest, ChoosingAGameModeRelaysTheWindowAndKeepsTheMenusOpen)
{
    MenuRig rig(GameMode::OnePlayer);
    MenuRig::click(rig.button(MenuBarButton::File));
    MenuRig::moveTo(rig.marker("menumarker(2)"));
    MenuRig::click(rig.marker("GMmenumarker(2)"));
    EXPECT_EQ(rig.state().GameMode, GameMode::Internet);
    EXPECT_TRUE(rig.button(MenuBarButton::Connect).isVisible());
    EXPECT_FALSE(rig.button(MenuBarButton::Help).isVisible());
    EXPECT_TRUE(rig.bar().gameModeMenu().isVisible());
    EXPECT_EQ(rig.clicks(), 2);
    // The mark moves to the new mode at the next hover.
    MenuRig::moveTo(rig.marker("GMmenumarker(2)"));
    QImage expected = sheetPart(rig.images.interfaceMisc, { 459, 0, 104, 80 });
    paste(expected, sheetPart(rig.images.menu, { 104, 120, 104, 20 }), { 0, 56 });
    EXPECT_TRUE(samePixels(rig.shown(rig.bar().gameModeMenu()), expected));
}

// The fields page raises player 1's side panel when it is laid out again (a game mode chosen, the
// page shown again); an open File menu stays in front of it.
TEST(MenusTest, OpenMenusStayInFrontOfTheFieldsPagesSidePanel)
{
    enum class Then { ChooseInternet, ShowFieldsAgain };
    for (Then then : { Then::ChooseInternet, Then::ShowFieldsAgain }) {
        SCOPED_TRACE(int(then));
        MenuRig rig(GameMode::OnePlayer);
        MenuRig::click(rig.button(MenuBarButton::File));
        MenuRig::moveTo(rig.marker("menumarker(2)"));
        if (then == Then::ChooseInternet) {
            MenuRig::click(rig.marker("GMmenumarker(2)"));
            MenuRig::moveTo(rig.marker("GMmenumarker(2)"));
        } else {
            // Straight up from the menu onto the fields button, which keeps the menus open.
            MenuRig::click(rig.button(MenuBarButton::Fields));
        }
        FileMenu& menu = rig.bar().fileMenu();
        ASSERT_TRUE(menu.isVisible());
        QImage expected = sheetPart(rig.images.interfaceMisc, { 355, 80, 149, 163 });
        if (then == Then::ShowFieldsAgain)
            paste(expected, sheetPart(rig.images.menu, { 0, 60, 149, 20 }), { 0, 67 });
        EXPECT_TRUE(samePixels(rig.shown(menu), expected));
    }
}

TEST(MenusTest, HelpMenuRowsHighlightAndOpenTheHelpOrTheAboutWindow)
{
    MenuRig rig;
    HelpMenu& menu = rig.bar().helpMenu();
    PictureView& help = rig.button(MenuBarButton::Help);
    MenuRig::click(help);
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), QPoint(328, 24));
    const QImage background = sheetPart(rig.images.interfaceMisc, { 355, 0, 104, 80 });
    EXPECT_TRUE(samePixels(rig.shown(menu), background)) << "it shows what was last drawn into it";

    const struct {
        const char* marker;
        QPoint highlight;
        int y;
    } rows[] = { { "HelpMenuMarker(0)", { 0, 140 }, 5 }, { "HelpMenuMarker(1)", { 104, 140 }, 48 } };
    for (const auto& row : rows) {
        MenuRig::moveTo(rig.marker(row.marker));
        QImage expected = background;
        paste(expected, sheetPart(rig.images.menu, { row.highlight, QSize(104, 20) }), { 0, row.y });
        EXPECT_TRUE(samePixels(rig.shown(menu), expected)) << row.marker;
    }

    QSignalSpy helpRequests(&rig.window, &MainWindow::helpRequested);
    QSignalSpy aboutRequests(&rig.window, &MainWindow::aboutRequested);
    MenuRig::click(rig.marker("HelpMenuMarker(1)"));
    EXPECT_EQ(aboutRequests.count(), 1);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(samePixels(rig.shown(help), sheetPart(rig.images.interfaceMisc, { { 504, 175 }, kButton })))
        << "choosing a row leaves the bar as it is";
    MenuRig::click(help);
    MenuRig::click(rig.marker("HelpMenuMarker(0)"));
    EXPECT_EQ(helpRequests.count(), 1);
    EXPECT_EQ(aboutRequests.count(), 1);
    EXPECT_EQ(rig.clicks(), 4);

    // A second click on the button closes the menu and resets its tile.
    MenuRig::click(help);
    MenuRig::click(help);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(samePixels(rig.shown(help), sheetPart(rig.images.interfaceMisc, { { 504, 137 }, kButton })));
}

// In a transparent menu the white of a row's image lets the menu show through; elsewhere the
// row's image covers it. In an opaque menu the white is drawn.
TEST(MenusTest, TransparentMenusShowTheMenuThroughTheRowsWhite)
{
    enum class Menu { File, GameMode, Help };
    const struct Case {
        Menu menu;
        bool transparent;
    } cases[] = {
        { Menu::File, true },
        { Menu::File, false },
        { Menu::GameMode, true },
        { Menu::Help, true },
        { Menu::Help, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.menu) << " " << c.transparent);
        MenuRig rig(GameMode::TwoPlayers, c.transparent);
        QWidget* menu = nullptr;
        QImage expected;
        const auto row = [&](QRect highlight, int y) {
            paste(expected, sheetPart(rig.images.menu, highlight), { 0, y }, c.transparent);
        };
        switch (c.menu) {
        case Menu::File:
            MenuRig::click(rig.button(MenuBarButton::File));
            MenuRig::moveTo(rig.marker("menumarker(4)"));
            menu = &rig.bar().fileMenu();
            expected = sheetPart(rig.images.interfaceMisc, { 355, 80, 149, 163 });
            row({ 149, 40, 149, 20 }, 139);
            break;
        case Menu::GameMode:
            MenuRig::click(rig.button(MenuBarButton::File));
            MenuRig::moveTo(rig.marker("menumarker(2)"));
            MenuRig::moveTo(rig.marker("GMmenumarker(2)"));
            menu = &rig.bar().gameModeMenu();
            expected = sheetPart(rig.images.interfaceMisc, { 459, 0, 104, 80 });
            row({ 104, 100, 104, 20 }, 27);
            row({ 0, 120, 104, 20 }, 56);
            break;
        case Menu::Help:
            MenuRig::click(rig.button(MenuBarButton::Help));
            MenuRig::moveTo(rig.marker("HelpMenuMarker(1)"));
            menu = &rig.bar().helpMenu();
            expected = sheetPart(rig.images.interfaceMisc, { 355, 0, 104, 80 });
            row({ 104, 140, 104, 20 }, 48);
            break;
        }
        EXPECT_TRUE(samePixels(rig.shown(*menu), expected));
    }
}

// Items the game has disabled take neither the pointer (no highlight, no submenu) nor clicks
// (no action, no click sound).
TEST(MenusTest, DisabledFileItemsIgnoreThePointerAndClicks)
{
    const struct Case {
        const char* what;
        GameMode mode;
        bool started;
        const char* marker;
    } cases[] = {
        { "pause before a game", GameMode::OnePlayer, false, "menumarker(1)" },
        { "pause's second area", GameMode::TwoPlayers, false, "menumarker(6)" },
        { "start in internet play without hosting", GameMode::Internet, false, "menumarker(0)" },
        { "start's second area", GameMode::Internet, false, "menumarker(5)" },
        { "game mode while a game runs", GameMode::OnePlayer, true, "menumarker(2)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuRig rig(c.mode);
        PictureView& file = rig.button(MenuBarButton::File);
        if (c.started) {
            MenuRig::click(file);
            MenuRig::click(rig.marker("menumarker(0)"));
            ASSERT_TRUE(rig.state().GameStarted);
        }
        MenuRig::click(file);
        MenuRig::moveTo(rig.marker("menumarker(3)"));
        const QImage before = rig.shown(rig.bar().fileMenu());
        const int clicks = rig.clicks();

        MenuRig::moveTo(rig.marker(c.marker));
        EXPECT_TRUE(samePixels(rig.shown(rig.bar().fileMenu()), before));
        EXPECT_EQ(rig.session().FileMenuHover(), 3);
        EXPECT_FALSE(rig.bar().gameModeMenu().isVisible());
        QTest::mouseClick(&rig.marker(c.marker), Qt::LeftButton, {}, { 3, 3 });
        EXPECT_EQ(rig.clicks(), clicks);
        EXPECT_EQ(rig.state().GameStarted, c.started);
        EXPECT_FALSE(rig.state().GamePaused);
        EXPECT_TRUE(rig.bar().fileMenu().isVisible());
    }
}

// Moving from an open menu onto the caption, the title bar, the page area or a field closes
// every menu; on the fields page the keyboard goes back to player 1's field.
TEST(MenusTest, PointerOffTheBarClosesEveryMenu)
{
    enum class Where { PageArea, TitleBar, Caption, Field, BarGap };
    const struct Case {
        Where where;
        Screen screen;
    } cases[] = {
        { Where::PageArea, Screen::Fields },
        { Where::TitleBar, Screen::Fields },
        { Where::Caption, Screen::Fields },
        { Where::Field, Screen::Fields },
        { Where::BarGap, Screen::Fields },
        { Where::PageArea, Screen::Options },
        { Where::Caption, Screen::Themes },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.where) << " on page " << int(c.screen));
        MenuRig rig;
        rig.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.window));
        rig.window.showPage(c.screen);
        MenuRig::click(rig.button(MenuBarButton::Help));
        MenuRig::click(rig.button(MenuBarButton::File));
        MenuRig::moveTo(rig.marker("menumarker(2)"));
        ASSERT_TRUE(rig.bar().fileMenu().isVisible() && rig.bar().gameModeMenu().isVisible()
            && rig.bar().helpMenu().isVisible());
        // Onto another button first: the menus stay open.
        MenuRig::moveTo(rig.button(MenuBarButton::Theme));
        ASSERT_TRUE(rig.bar().fileMenu().isVisible());
        FieldView& field = rig.window.fieldsPage().field(1);
        field.clearFocus();

        QWidget& window = rig.window;
        switch (c.where) {
        case Where::PageArea: QTest::mouseMove(&window, { 320, 517 }); break;
        case Where::TitleBar: QTest::mouseMove(&window, { 500, 10 }); break;
        case Where::Caption: QTest::mouseMove(&window, { 60, 8 }); break;
        case Where::Field: MenuRig::moveTo(field, { 100, 200 }); break;
        case Where::BarGap: QTest::mouseMove(&window, { 84, 30 }); break;
        }
        EXPECT_FALSE(rig.bar().fileMenu().isVisible());
        EXPECT_FALSE(rig.bar().gameModeMenu().isVisible());
        EXPECT_FALSE(rig.bar().helpMenu().isVisible());
        EXPECT_EQ(field.hasFocus(), c.screen == Screen::Fields);
        EXPECT_EQ(rig.bar().hoverButton(), 0);
        // Every button shows its normal tile again; the page's button its current tile.
        EXPECT_TRUE(samePixels(rig.shown(rig.button(MenuBarButton::Theme)),
            sheetPart(
                rig.images.interfaceMisc, { { 280, c.screen == Screen::Themes ? 451 : 413 }, kButton })));
        EXPECT_TRUE(samePixels(rig.shown(rig.button(MenuBarButton::Help)),
            sheetPart(rig.images.interfaceMisc, { { 504, 137 }, kButton })));
    }
}

// A pointer that jumps from a button straight onto the page (a fast flick) moves over no part of
// the window body; leaving the button for the page must still end its hover, or the button stays
// lit beside the next page's button. Leaving it for an open menu keeps the menu.
TEST(MenusTest, LeavingAButtonForThePageEndsItsHover)
{
    MenuRig rig;
    const auto leave = [&rig](MenuBarButton id, QPoint landing) {
        QCursor::setPos(rig.window.mapToGlobal(landing));
        QEvent left(QEvent::Leave);
        QApplication::sendEvent(&rig.button(id), &left);
    };
    MenuRig::click(rig.button(MenuBarButton::File));
    const QWidget& firstRow = rig.marker("menumarker(0)");
    leave(MenuBarButton::File, firstRow.mapTo(&rig.window, QPoint(3, 3)));
    EXPECT_TRUE(rig.bar().fileMenu().isVisible());

    rig.window.showPage(Screen::Themes);
    MenuRig::moveTo(rig.button(MenuBarButton::Theme));
    ASSERT_EQ(rig.bar().hoverButton(), int(MenuBarButton::Theme));
    leave(MenuBarButton::Theme, { 320, 300 });
    rig.window.showPage(Screen::Fields);
    EXPECT_EQ(rig.bar().hoverButton(), 0);
    EXPECT_TRUE(samePixels(rig.shown(rig.button(MenuBarButton::Theme)),
        sheetPart(rig.images.interfaceMisc, { { 280, 413 }, kButton })));
}

// The File and Help buttons hand the keyboard back to player 1's field on the fields page, so
// F2 and F3 reach the game after the menu was used.
TEST(MenusTest, MenuButtonsLeaveTheKeyboardOnTheField)
{
    MenuRig rig;
    rig.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.window));
    FieldView& field = rig.window.fieldsPage().field(1);
    for (MenuBarButton button : { MenuBarButton::File, MenuBarButton::Help }) {
        field.clearFocus();
        MenuRig::click(rig.button(button));
        EXPECT_TRUE(field.hasFocus());
    }
    for (const char* marker : { "menumarker(3)", "HelpMenuMarker(0)", "GMmenumarker(0)" })
        EXPECT_EQ(rig.marker(marker).focusPolicy(), Qt::NoFocus) << marker;
}

} // namespace
} // namespace kalvon
