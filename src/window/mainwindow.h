#pragma once
// The main window (frmMain): borderless, 640 x 520, every pixel of its chrome drawn from the
// theme. It holds the title bar with its caption and boxes, the window body with the menu bar,
// the drop-down menus and the fields page's controls, laid out by the window layout sheet. It
// keeps the window's own state (the page shown, the menu bar's hover, the chat page's game
// buttons) and reads the game's flags. It is the game core's GameWindow; what the user does is
// left to whoever connects to its signals.

#include "common/bytes.h"
#include "engine/enginehost.h"
#include "engine/types.h"
#include "game/gamewindow.h"
#include "render/menubarskin.h"
#include "render/themerecord.h"
#include "render/themewindow.h"

#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <vector>

class QLabel;
class QTextEdit;
class QLineEdit;

namespace kalvon {

class FieldView;
class HitArea;
class PictureView;
struct EngineState;
struct ThemeImages;
struct WindowPictures;
struct WindowSkin;

class MainWindow final : public QWidget, public GameWindow {
    Q_OBJECT
public:
    MainWindow(WindowSkin& skin, const ThemeImages& images, const Themes& themes, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The game whose mode and flags the menus and pages show (the game core is made after the
    // window); until then no game runs.
    void setGameState(const EngineState& state) { m_state = &state; }
    // What a modal window does around itself to a window that stays on top: off before
    // (false), back on after (true), as the dialogs do.
    void setAroundModal(std::function<void(bool after)> aroundModal)
    {
        m_aroundModal = std::move(aroundModal);
    }

    // --- skin ---
    // The title bar, body, menus and side panels show the skin as composed now.
    void showSkin();
    // The labels take the theme's colours (a colour the theme lacks is white).
    void ApplyThemeLabelColors(const ColorTable& colors);
    // The window caption and lblCaption; the label is touched only when its text changes.
    void setCaption(BytesView text) override;
    QString caption() const;
    QLabel& captionLabel();
    // The specials log's banner line (and what the chat copies from it).
    void showBanner(BytesView version);
    // The program icon of the title bar (imgIcon).
    void setIcon(const QPixmap& icon);
    // The click sound of pages and menus.
    void setClickSound(std::function<void()> playClick) { m_playClick = std::move(playClick); }

    // --- menu bar ---
    // Lays the menu-bar buttons out left to right from their sizes and places the menus.
    void SetupMenuButtons();
    void PaintToolbarButtons();
    // Internet play: no server connection (the connect button's face).
    void setOffline(bool offline);
    // The File menu and the game-mode submenu redrawn for the game's flags with the hovered
    // row (-1 none); without an argument, with the row last given.
    void DrawFileMenu(int hover) override;
    void DrawFileMenu() { DrawFileMenu(m_fileMenuHover); }
    void DrawGameModeMenu(int hover) override;
    void showFileMenu(bool shown) override;
    void showGameModeMenu(bool shown) override;
    bool fileMenuShown() const;
    // File > High Scores: the high-score window is shown.
    void showHighScores() override { emit highScoresRequested(); }
    // File > Exit: the window unloads.
    void closeWindow() override { emit unloadRequested(); }
    void ShowHelp() override { emit helpRequested(); }

    // --- the chat page's game buttons and the block occurrence window ---
    // They come with their pages; the states are kept for them.
    void setStartButtonCaption(BytesView caption) override { m_startCaption = Bytes(caption); }
    void setPauseButtonCaption(BytesView caption) override { m_pauseCaption = Bytes(caption); }
    void setPauseButtonEnabled(bool enabled) override { m_pauseEnabled = enabled; }
    void setBlockRatioFramesEnabled(bool enabled) override { m_blockRatioEnabled = enabled; }

    // --- the talk box and modal windows ---
    void openTalkBox(bool teamChat) override;
    void closeTalkBox() override;
    void ClearTopmost() override;
    void ApplyStayOnTop() override;

    // --- pages ---
    Screen CurrentScreen() const override { return m_screen; }
    // The fields page for the game mode: the other pages' controls hidden, the background,
    // the local or internet fields, the side panels, the keyboard focus on player 1's field.
    void ShowFieldScreen();
    // Another page: its background (its controls come with the option and network pages).
    void showPage(Screen screen);
    // The game-mode menu's layout of the window for a mode: the fields page's backgrounds and
    // controls when it is shown, the side panel of player 2, the menu-bar buttons, the name label.
    void layOutFieldsPage(GameMode mode) override;
    // The fields page's control groups.
    void ShowLocalFields();
    void ShowInternetFields();
    void HideInternetFields();
    void HideFieldControls();
    void showActiveLevels(bool shown) override;
    // picNextPiece(0) shown and in front; picNextPiece(4) too in two-player mode, else hidden.
    void showSidePanels(GameMode mode);

    // --- the options page's animation boxes (enabled by the theme type) ---
    void setAnimationBoxEnabled(AnimationBox box, bool enabled);
    bool animationBoxEnabled(AnimationBox box) const;

    // --- the fields page's pictures and labels (players 1 and 2, boards 1..5) ---
    // The renderer's pictures of the fields page shown by their views.
    void attachPictures(WindowPictures& pictures);
    FieldView& field(int p);
    PictureView& leds(int p);
    PictureView& nextPiece(int p);
    PictureView& specials(int p);
    PictureView& internetField(int board);
    PictureView& sidePanel(int p);
    void setLabel(LabelId label, int p, BytesView text) override;
    void setLinesPerMinute(int p, BytesView text) override;
    QLabel& label(LabelId label, int p);
    QLabel& linesPerMinute(int p);
    QLabel& nameLabel(int p); // lblCliName, lblPlayer2
    QLabel& internetName(int board);
    QLabel& scoreLabel(); // lblScoreLabel
    QTextEdit& specialsLog(); // rtSpecials
    QLineEdit& talkBox(); // txtTalk

    // Player 1's field takes the keyboard when the fields page is shown.
    void FocusField() override;

signals:
    // The main window is to unload (close box, File > Exit, the system's close).
    void unloadRequested();
    // The pointer moved over, or clicked, a hot area of the File menu (menumarker 0..6) or a
    // row of the game-mode submenu (0 one player, 1 two players, 2 internet).
    void fileMarkerMoved(int marker);
    void fileMarkerClicked(int marker);
    void gameModeMarkerMoved(int index);
    void gameModeMarkerClicked(int index);
    void helpRequested();
    void highScoresRequested();
    void aboutRequested();
    // A mouse button went down on the title bar's icon (Shift + right button is the bot's
    // gesture).
    void iconPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct ButtonView {
        MenuBarButton id = MenuBarButton::File;
        Surface picture;
        PictureView* view = nullptr;
    };

    void buildTitleBar();
    void buildMenuBar();
    void buildMenus();
    // A drop-down menu showing `picture`, with a hot area over each marker's rectangle.
    PictureView* makeMenu(const Surface& picture, const std::vector<QRect>& markers,
        const std::function<void(int)>& moved, const std::function<void(int)>& clicked);
    void buildFieldsPage();
    QLabel* makeLabel(QWidget* parent, int x, int y, int w, int h, const QString& text,
        Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    ButtonView& button(MenuBarButton id);
    void drawButton(MenuBarButton id, ButtonTile tile);
    void onButtonHover(MenuBarButton id);
    void onButtonClick(MenuBarButton id);
    void onFileButtonClick();
    void onHelpButtonClick();
    void onHelpRowHover(int index);
    void onHelpRowClick(int index);
    // The pointer left the menu bar (caption, title bar, page area, a field): menus close.
    void pointerOffMenuBar();
    // A press on a decoration of the fields page gives the field the keyboard.
    void focusFieldOnFieldsPage();
    void paintFieldsBackground(GameMode mode);
    void hideMenus();
    void playClick();

    WindowSkin& m_skin;
    const ThemeImages& m_images;
    const Themes& m_themes;
    const EngineState* m_state;
    std::function<void()> m_playClick;
    std::function<void(bool after)> m_aroundModal;

    Screen m_screen = Screen::Fields;
    bool m_offline = true;
    int m_hoverButton = 0;
    int m_fileMenuHover = -1;
    int m_helpMenuHover = 0;
    std::array<bool, std::size(kAnimationBoxes)> m_animationBoxEnabled{};
    Bytes m_startCaption = "Start Game";
    Bytes m_pauseCaption = "Pause Game";
    bool m_pauseEnabled = false;
    bool m_blockRatioEnabled = true;

    // Title bar.
    PictureView* m_picTitleBar = nullptr;
    QLabel* m_imgIcon = nullptr;
    QLabel* m_lblCaption = nullptr;
    HitArea* m_lblMinimize = nullptr;
    HitArea* m_lblExit = nullptr;
    // Body, menu bar and menus.
    PictureView* m_picForm = nullptr;
    std::array<ButtonView, 8> m_buttons;
    PictureView* m_filemenu = nullptr;
    PictureView* m_gameModeSubMenu = nullptr;
    PictureView* m_helpMenu = nullptr;
    // Fields page; arrays indexed by player 1..2 and board 1..5.
    std::array<PictureView*, 2> m_sidePanels{};
    std::array<FieldView*, 3> m_picField{};
    std::array<PictureView*, 3> m_picLeds{};
    std::array<PictureView*, 3> m_picNextPiece{};
    std::array<PictureView*, 3> m_picSpecials{};
    std::array<PictureView*, 6> m_picInternetfield{};
    std::array<QLabel*, 6> m_lblInetName{};
    std::array<QLabel*, 3> m_lblSpec{}, m_lblLevel{}, m_lblActiveLevel{}, m_lblLines{}, m_lblQuads{},
        m_lblLPM{};
    QLabel* m_lblCliName = nullptr;
    QLabel* m_lblPlayer2 = nullptr;
    QLabel* m_lblScore = nullptr;
    QLabel* m_lblScoreLabel = nullptr;
    QTextEdit* m_rtSpecials = nullptr;
    QLineEdit* m_txtTalk = nullptr;
};

} // namespace kalvon
