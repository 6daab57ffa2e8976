#include "engine/state.h"
#include "render/menubarskin.h"
#include "render/windowskin.h"
#include "skinfixture.h"
#include "window/mainwindow.h"
#include "window/pictureview.h"

#include <QTest>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using namespace testing;

TEST(WindowSkinTest, DrawInterfaceCopiesEachRegionToItsPicture)
{
    SkinFixture fixture;
    WindowSkin skin;
    DrawInterface(skin, fixture.loading);

    const struct {
        const char* where;
        const Surface& picture;
        int x, y;
        QRgb color;
    } cases[] = {
        { "title bar", skin.picTitleBar, 300, 10, kTitleColor },
        { "body margin", skin.picForm, 3, 200, kBodyColor },
        { "fields page", skin.picForm, 8, 28, kPageColor },
        { "fields page end", skin.picForm, 631, 493, kPageColor },
        { "body below the page", skin.picForm, 300, 495, kBodyColor },
        { "help menu", skin.HelpMenu, 103, 79, kHelpMenuColor },
        { "game-mode menu", skin.GameModeSubMenu, 0, 0, kGameModeMenuColor },
        { "file menu", skin.filemenu, 148, 162, kFileMenuColor },
        { "player 1 panel", skin.sidePanels[0], 98, 184, kPanel1Color },
        { "player 2 panel", skin.sidePanels[1], 0, 0, kPanel2Color },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.picture.pixel(c.x, c.y), c.color) << c.where;
}

TEST(WindowSkinTest, ThemeWithoutItsMainPictureKeepsThePreviousSkin)
{
    SkinFixture fixture;
    WindowSkin skin;
    DrawInterface(skin, fixture.loading);
    fixture.folder.write("other.bmp", bmpOf(regionCodedMain(0xff808000)));
    fixture.theme.ifacemain = "other.bmp";
    DrawInterface(skin, fixture.loading);
    ASSERT_EQ(skin.picTitleBar.pixel(300, 10), 0xff808000u);

    fixture.theme.ifacemain = "missing.bmp";
    DrawInterface(skin, fixture.loading);
    EXPECT_EQ(skin.picTitleBar.pixel(300, 10), 0xff808000u);
    EXPECT_EQ(skin.picForm.pixel(3, 200), kBodyColor);
}

// The composed window, grabbed as it is shown, at positions of the layout sheet.
TEST(WindowSkinTest, ShownWindowHasEachPictureAtItsLayoutPosition)
{
    SkinFixture fixture;
    WindowSkin skin;
    Themes themes;
    EngineState state;
    state.GameMode = GameMode::TwoPlayers;
    DrawInterface(skin, fixture.loading);
    MainWindow window(skin, fixture.images, themes);
    window.setGameState(state);
    window.show();
    window.showSkin();
    window.layOutFieldsPage(GameMode::TwoPlayers);
    window.ShowFieldScreen();

    const auto pixelAt = [&window](int x, int y) { return window.grab().toImage().pixel(x, y); };
    const struct {
        const char* where;
        int x, y; // window coordinates
        QRgb color;
    } cases[] = {
        { "title bar", 500, 10, kTitleColor },
        { "body left of the page", 3, 200, kBodyColor },
        { "page between the LEDs", 320, 60, kPageColor },
        { "File button, normal", 8 + 40, 25 + 9, kFileNormalColor },
        { "Fields button, current page", 88 + 40, 25 + 9, kFieldsCurrentColor },
        { "Options button, normal", 168 + 40, 25 + 9, kOptionsNormalColor },
        { "player 1 panel", 14 + 2, 54 + 100, kPanel1Color },
        { "player 2 panel", 527 + 2, 54 + 100, kPanel2Color },
    };
    for (const auto& c : cases)
        EXPECT_EQ(pixelAt(c.x, c.y), c.color) << c.where;

    // Hovering the Options button shows its hover tile; the File button opens its menu at
    // (8, 24) of the body.
    PictureView* options = nullptr;
    PictureView* file = nullptr;
    for (PictureView* view : window.findChildren<PictureView*>()) {
        if (view->geometry() == QRect(168, 5, 72, 19))
            options = view;
        if (view->geometry() == QRect(8, 5, 72, 19))
            file = view;
    }
    ASSERT_TRUE(options && file);
    QTest::mouseMove(options, QPoint(10, 10));
    EXPECT_EQ(pixelAt(168 + 40, 25 + 9), kOptionsHoverColor);
    QTest::mouseClick(file, Qt::LeftButton);
    EXPECT_TRUE(window.fileMenuShown());
    EXPECT_EQ(pixelAt(8 + 145, 44 + 30), kFileMenuColor);
}

// --- menus ---

// A menu sheet whose 149 x 20 blocks each have a colour of their own, with a white (transparent)
// top-left pixel, and a tile sheet with the File menu's two overlays.
struct MenuSheets {
    MenuSheets()
    {
        images.menu = std::make_shared<Surface>(298, 160);
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 298; ++x)
                images.menu->setPixel(x, y, block(x, y));
        }
        for (int y = 0; y < 160; y += 20) {
            for (int x : { 0, 104, 149 })
                images.menu->setPixel(x, y, kWhitePixel);
        }
        images.menuMask = std::make_shared<Surface>(298, 160);
        BuildMask(*images.menuMask, *images.menu, 0, 0, 300, 182);
        images.interfaceMisc = std::make_shared<Surface>(576, 470);
        images.interfaceMisc->fill(kSheetColor);
        QImage misc = images.interfaceMisc->image();
        QPainter painter(&misc);
        painter.fillRect(198, 0, 149, 20, QColor::fromRgb(kStop));
        painter.fillRect(198, 20, 149, 20, QColor::fromRgb(kResume));
        painter.end();
        *images.interfaceMisc = Surface::fromImage(misc);
    }
    static QRgb block(int x, int y) { return qRgb(20 + 40 * (x / 104), 30 * (y / 20), 200); }

    static constexpr QRgb kStop = 0xffaa0000;
    static constexpr QRgb kResume = 0xff00aa00;
    ThemeImages images;
};

TEST(MenuSkinTest, FileMenuShowsOverlaysAndTheHoveredRowsHighlight)
{
    MenuSheets sheets;
    const struct {
        FileMenuLook look;
        int row; // the row looked at: its y in the menu
        QRgb color; // at (5, row y + 5)
    } cases[] = {
        { { false, false, -1 }, 0, kSheetColor },
        { { true, false, -1 }, 0, MenuSheets::kStop },
        { { true, true, -1 }, 1, MenuSheets::kResume },
        { { false, false, 0 }, 0, MenuSheets::block(0, 0) },
        { { true, false, 0 }, 0, MenuSheets::block(149, 0) },
        { { false, true, 1 }, 1, MenuSheets::block(149, 20) },
        { { false, false, 2 }, 2, MenuSheets::block(0, 60) },
        { { false, false, 3 }, 3, MenuSheets::block(0, 40) },
        { { false, false, 4 }, 4, MenuSheets::block(149, 40) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.look.started << c.look.paused << c.look.hover);
        Surface menu(149, 163);
        DrawFileMenu(menu, sheets.images, false, c.look);
        EXPECT_EQ(menu.pixel(5, kFileMenuRowY[size_t(c.row)] + 5), c.color);
    }
}

TEST(MenuSkinTest, TransparentMenuLetsWhiteShowTheBackground)
{
    MenuSheets sheets;
    Surface opaque(149, 163);
    DrawFileMenu(opaque, sheets.images, false, { false, false, 3 });
    EXPECT_EQ(opaque.pixel(0, 97), kWhitePixel);
    Surface transparent(149, 163);
    DrawFileMenu(transparent, sheets.images, true, { false, false, 3 });
    EXPECT_EQ(transparent.pixel(0, 97), kSheetColor);
    EXPECT_EQ(transparent.pixel(5, 102), MenuSheets::block(0, 40));
}

TEST(MenuSkinTest, GameModeMenuMarksTheCurrentModeAndHighlightsAnotherHoveredRow)
{
    MenuSheets sheets;
    const struct {
        int current, hover;
        std::array<QRgb, 3> rows; // at (5, row y + 5)
    } cases[] = {
        { 0, -1, { MenuSheets::block(104, 80), kSheetColor, kSheetColor } },
        { 1, 2, { kSheetColor, MenuSheets::block(104, 100), MenuSheets::block(0, 120) } },
        // Hovering the current mode's row leaves its mark.
        { 2, 2, { kSheetColor, kSheetColor, MenuSheets::block(104, 120) } },
    };
    for (const auto& c : cases) {
        Surface menu(104, 80);
        DrawGameModeMenu(menu, sheets.images, false, c.current, c.hover);
        for (size_t row = 0; row < 3; ++row)
            EXPECT_EQ(menu.pixel(5, kGameModeMenuRowY[row] + 5), c.rows[row]) << c.current << c.hover << row;
    }
}

TEST(MenuSkinTest, ButtonTilesByStateAndTheConnectButtonsFace)
{
    // Every pixel of the sheet tells its own position.
    Surface sheet(576, 470);
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, 0xff000000u | uint32_t(x) << 12 | uint32_t(y));
    }
    const struct {
        MenuBarButton button;
        ButtonTile tile;
        bool offline;
        QPoint source; // the tile's top-left in the sheet
    } cases[] = {
        { MenuBarButton::Options, ButtonTile::Hover, true, { 504, 213 } },
        { MenuBarButton::Fields, ButtonTile::Current, true, { 504, 403 } },
        { MenuBarButton::Theme, ButtonTile::Hover, true, { 280, 432 } },
        { MenuBarButton::Help, ButtonTile::Current, true, { 504, 175 } },
        { MenuBarButton::Connect, ButtonTile::Current, true, { 0, 451 } },
        { MenuBarButton::Connect, ButtonTile::Current, false, { 140, 451 } },
    };
    for (const auto& c : cases) {
        Surface picture(menuBarButtonWidth(c.button), kMenuBarButtonHeight);
        Surface reference(picture.width(), picture.height());
        reference.bitBlt(0, 0, picture.width(), picture.height(), sheet, c.source.x(), c.source.y());
        drawMenuBarButton(picture, &sheet, c.button, c.tile, c.offline);
        EXPECT_EQ(picture.image(), reference.image()) << static_cast<int>(c.button);
    }
    // The File button has no current tile.
    Surface file(72, 19);
    file.fill(kWhitePixel);
    drawMenuBarButton(file, &sheet, MenuBarButton::File, ButtonTile::Current, true);
    EXPECT_EQ(file.pixel(10, 10), kWhitePixel);
}

} // namespace
} // namespace kalvon
