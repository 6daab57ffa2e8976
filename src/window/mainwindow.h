#pragma once
// The main window (frmMain): borderless, 640 x 520, every pixel of its chrome drawn from the
// theme. It holds the title bar with its caption and boxes and the window body (picForm), on
// which the menu bar and the six pages lie; it switches the pages (one shown at a time, the
// others' controls hidden, the page's background drawn from the theme) and keeps the page
// shown and the connection's face. It is the game core's GameWindow: what the game asks of
// a page it hands to that page. What the user does is left to whoever connects to its signals.

#include "common/bytes.h"
#include "engine/enginehost.h"
#include "engine/types.h"
#include "game/gamewindow.h"
#include "render/themerecord.h"
#include "render/themewindow.h"
#include "window/menus/menubar.h"

#include <QWidget>
#include <filesystem>
#include <functional>

class QLabel;

namespace kalvon {

class ChatPage;
class ConnectPage;
class FieldsPage;
class HitArea;
class OptionsPage;
class PictureView;
class ServerPage;
class ThemesPage;
struct EngineState;
struct ThemeImages;
struct WindowPictures;
struct WindowSkin;

// What the connect page's toolbar button asks of the internet client when it disconnects.
class ClientConnection {
public:
    virtual ~ClientConnection() = default;
    // The server is told that this client quits, the connect form takes input again and the
    // connection ends (the client's records cleared, the socket closed).
    virtual void disconnectFromServer() = 0;
};

class MainWindow final : public QWidget, public GameWindow, private MenuBarHost {
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
    // The click sound of pages and menus.
    void setClickSound(std::function<void()> playClick) { m_playClick = std::move(playClick); }
    // The program folder, whose data/ folder the themes page lists.
    void setProgramFolder(std::filesystem::path folder) { m_programFolder = std::move(folder); }
    // The internet client the connect page's button disconnects; none: nothing is sent.
    void setClientConnection(ClientConnection* connection) { m_connection = connection; }

    // --- skin ---
    // The title bar, body, menus and side panels show the skin as composed now.
    void showSkin();
    // The labels take the theme's colours (a colour the theme lacks is white).
    void ApplyThemeLabelColors(const ColorTable& colors);
    // The window's title and its caption label (lblCaption); the label is touched only when its
    // text changes.
    void setCaption(BytesView text) override;
    QString caption() const;
    QLabel& captionLabel();
    // The start-up texts: the credits, the theme browser's name and version, the specials log's
    // banner line with the program's version (copied into the chat box), the list of the
    // theme's sounds.
    void showStartupTexts(BytesView version);
    // The program icon of the title bar (imgIcon).
    void setIcon(const QPixmap& icon);

    // --- menu bar ---
    // Lays the menu-bar buttons out left to right and places the menus.
    void SetupMenuButtons();
    void PaintToolbarButtons();
    // Internet play: no server connection (the connect button's face and action).
    void setOffline(bool offline);
    bool offline() const override { return m_offline; }
    // The File menu and the game-mode submenu redrawn for the game's flags with the hovered
    // row (-1 none).
    void DrawFileMenu(int hover) override;
    void DrawGameModeMenu(int hover) override;
    void showFileMenu(bool shown) override;
    void showGameModeMenu(bool shown) override;
    bool fileMenuShown() const;
    // File > High Scores: the high-score window is shown.
    void showHighScores() override { emit highScoresRequested(); }
    // File > Exit: the window unloads.
    void closeWindow() override { emit unloadRequested(); }
    void ShowHelp() override { emit helpRequested(); }
    // Help > About: the About window is shown.
    void showAbout() override { emit aboutRequested(); }

    // --- the chat page's game buttons and the block occurrence window ---
    void setStartButtonCaption(BytesView caption) override;
    void setPauseButtonCaption(BytesView caption) override;
    void setPauseButtonEnabled(bool enabled) override;
    // The block occurrence window's boxes: the state is kept for its next opening and told to
    // an open one.
    void setBlockRatioFramesEnabled(bool enabled) override;
    bool blockRatioFramesEnabled() const { return m_blockRatioEnabled; }

    // --- the talk box and modal windows ---
    void openTalkBox(bool teamChat) override;
    void closeTalkBox() override;
    void ClearTopmost() override;
    void ApplyStayOnTop() override;

    // --- pages ---
    Screen CurrentScreen() const override { return m_screen; }
    // Each page switch hides the other pages' controls, shows the page's own, draws its
    // background from the theme into the page area, plays the click sound and records the page,
    // each in the order of its page; choosing the page shown repeats all of it.
    // The fields page for the game mode, the keyboard focus on player 1's field.
    void ShowFieldScreen();
    void ShowOptionsScreen();
    void ShowServerScreen();
    // Offline: the connect page, without a click sound. Connected: the button disconnects and
    // the page shown stays.
    void ShowConnectScreen();
    // The themes page with the theme files of the data folder listed, showing the theme box's
    // path.
    void ShowThemeScreen();
    void ShowChatScreen();
    // The page procedure of a page.
    void showPage(Screen screen);
    // The game-mode menu's layout of the window for a mode: the fields page's backgrounds and
    // controls when it is shown, the side panel of player 2, the menu-bar buttons, the name label.
    void layOutFieldsPage(GameMode mode) override;
    // Player 1's side panel (picNextPiece(0)) shown and in front; player 2's (picNextPiece(4))
    // too in two-player mode, else hidden.
    void showSidePanels(GameMode mode);

    FieldsPage& fieldsPage() { return *m_fields; }
    OptionsPage& optionsPage() { return *m_options; }
    ServerPage& serverPage() { return *m_server; }
    ConnectPage& connectPage() { return *m_connect; }
    ThemesPage& themesPage() { return *m_themes; }
    ChatPage& chatPage() { return *m_chat; }
    MenuBar& menuBar() { return *m_menuBar; }
    // The page area, picForm.
    QWidget& pageArea();

    // --- the options page's animation boxes (enabled by the theme type) ---
    void setAnimationBoxEnabled(AnimationBox box, bool enabled);
    bool animationBoxEnabled(AnimationBox box) const;

    // --- the fields page ---
    // The renderer's pictures shown by the fields and themes pages.
    void attachPictures(WindowPictures& pictures);
    void setLabel(LabelId label, int p, BytesView text) override;
    void setLinesPerMinute(int p, BytesView text) override;
    void showActiveLevels(bool shown) override;

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
    // The block occurrence window's boxes are to be enabled or disabled.
    void blockRatioFramesChanged(bool enabled);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildTitleBar();
    void buildPages();
    void buildMenuBar();
    // The pointer left the menu bar (caption, title bar, page area, a field): menus close.
    void pointerOffMenuBar();
    // A press on a decoration of the fields page gives the field the keyboard.
    void focusFieldOnFieldsPage();
    void paintFieldsBackground(GameMode mode);
    // A page's whole background into the page area (a missing one draws nothing).
    void paintBackground(Screen screen);
    void refreshPageArea();

    // MenuBarHost.
    void playClick() override;
    const EngineState& gameState() const override { return *m_state; }

    WindowSkin& m_skin;
    const ThemeImages& m_images;
    const Themes& m_themeRecords;
    const EngineState* m_state;
    std::function<void()> m_playClick;
    std::function<void(bool after)> m_aroundModal;
    std::filesystem::path m_programFolder;
    ClientConnection* m_connection = nullptr;

    Screen m_screen = Screen::Fields;
    bool m_offline = true;
    bool m_blockRatioEnabled = true;

    // Title bar.
    PictureView* m_picTitleBar = nullptr;
    QLabel* m_imgIcon = nullptr;
    QLabel* m_lblCaption = nullptr;
    HitArea* m_lblMinimize = nullptr;
    HitArea* m_lblExit = nullptr;
    // Body, pages and menu bar.
    PictureView* m_picForm = nullptr;
    FieldsPage* m_fields = nullptr;
    OptionsPage* m_options = nullptr;
    ServerPage* m_server = nullptr;
    ConnectPage* m_connect = nullptr;
    ThemesPage* m_themes = nullptr;
    ChatPage* m_chat = nullptr;
    MenuBar* m_menuBar = nullptr;
};

} // namespace kalvon
