#pragma once
// The main window over a game core with recording fakes, its menus wired to the game session as
// the program wires them, its menu bar drawn from the position-coded interface sheets of the
// tile-coded test theme, so a grabbed button or menu equals its sheet rectangle only when the
// right tile went to the right place.

#include "engine/gameengine.h"
#include "engine/state.h"
#include "game/gamecore.h"
#include "game/gamesession.h"
#include "render/themeimages.h"
#include "render/themerecord.h"
#include "render/tilecodedtheme.h"
#include "render/windowskin.h"
#include "support/game/gamerig.h"
#include "support/scratchfolder.h"
#include "window/mainwindow.h"
#include "window/menus/filemenu.h"
#include "window/menus/gamemodemenu.h"
#include "window/menus/helpmenu.h"
#include "window/menus/sessionmenus.h"
#include "window/pictureview.h"

#include <QTest>
#include <gtest/gtest.h>

namespace kalvon::testing {

inline QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// A rectangle of a sheet as an image.
inline QImage sheetPart(const Sheet& sheet, const QRect& area)
{
    return rgb(sheet->image().copy(area));
}

// `part` laid over `image` at `at`; with `transparent`, the part's white leaves the image.
inline void paste(QImage& image, const QImage& part, QPoint at, bool transparent = false)
{
    for (int y = 0; y < part.height(); ++y) {
        for (int x = 0; x < part.width(); ++x) {
            if (!transparent || part.pixel(x, y) != kWhitePixel)
                image.setPixel(at + QPoint(x, y), part.pixel(x, y));
        }
    }
}

// Equal images, or where the first pixel differs.
inline ::testing::AssertionResult samePixels(const QImage& shown, const QImage& expected)
{
    if (shown.size() != expected.size())
        return ::testing::AssertionFailure()
            << "size " << shown.width() << " x " << shown.height() << ", expected " << expected.width()
            << " x " << expected.height();
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != expected.pixel(x, y))
                return ::testing::AssertionFailure()
                    << "at (" << x << ", " << y << ") #" << std::hex << (shown.pixel(x, y) & 0xffffff)
                    << ", expected #" << (expected.pixel(x, y) & 0xffffff);
        }
    }
    return ::testing::AssertionSuccess();
}

constexpr int kClickSlot = 10;

class MenuRig : public GameFakes {
public:
    explicit MenuRig(GameMode mode = GameMode::OnePlayer, bool menuTransparent = false)
    {
        makeInterfaceSheets(images);
        composeMenusAndPanels(skin, images.interfaceMisc.get());
        themes.CurrentTheme.ifacemenutransparent = menuTransparent;
        for (int slot = 0; slot < kSoundSlots; ++slot)
            themes.ThemeSounds[size_t(slot)] = "sound" + std::to_string(slot) + ".wav";
        options.sound.sounds = 1;
        core.setDrawing(drawing);
        pump.setTickSource(&core.ticker());
        window.setGameState(core.engine().state());
        window.setClickSound([this] { core.sounds().play(SoundSlot::Click); });
        connectMenusToSession(window, core.session());
        window.show();
        core.session().gameModeChosen(int(mode) - 1);
        window.ShowFieldScreen();
        window.PaintToolbarButtons();
        log.clear();
    }

    GameSession& session() { return core.session(); }
    const EngineState& state() { return core.engine().state(); }
    MenuBar& bar() { return window.menuBar(); }
    PictureView& button(MenuBarButton id) { return bar().button(id); }

    HitArea& marker(const char* name)
    {
        auto* area = window.findChild<HitArea*>(QLatin1String(name));
        EXPECT_NE(area, nullptr) << name;
        return *area;
    }
    // The pointer moves onto a widget (by way of the next pixel, since a move to where the
    // pointer already is reaches no widget), or clicks it as a user does, moving there first.
    static void moveTo(QWidget& widget, QPoint at = { 3, 3 })
    {
        QTest::mouseMove(&widget, at + QPoint(1, 1));
        QTest::mouseMove(&widget, at);
    }
    static void click(QWidget& widget, QPoint at = { 3, 3 })
    {
        moveTo(widget, at);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, at);
    }
    // A widget of the window as the window shows it now.
    QImage shown(const QWidget& widget)
    {
        const QRect area(widget.mapTo(&window, QPoint(0, 0)), widget.size());
        return rgb(window.grab().toImage()).copy(area);
    }
    int clicks() const { return log.count("sound sound" + std::to_string(kClickSlot) + ".wav"); }

    ScratchFolder folder;
    ThemeImages images;
    WindowSkin skin;
    MainWindow window{ skin, images, themes };
    GameCore core{ GameServices{ clock, pump, options, themes, window, internet, music, effects, dialogs,
                       highScores, folder.path() },
        12345 };
};

} // namespace kalvon::testing
