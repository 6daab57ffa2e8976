#pragma once
// The running game's view of the main window (GameWindow) over the widgets: the main window,
// the help window, and the File menu's hover kept by the game session.

#include "window/gamewindow.h"

namespace kalvon {

class GameSession;
class HelpWindow;
class HighScoreView;
class MainWindow;
struct Options;

class ShellGameWindow final : public GameWindow {
public:
    ShellGameWindow(MainWindow& window, HelpWindow& help, const Options& options);

    // The session whose menu hover the menus are drawn with; made after this window.
    void setSession(const GameSession& session) { m_session = &session; }

    void setCaption(BytesView text) override;
    void setLabel(LabelId label, int p, BytesView text) override;
    void setLinesPerMinute(int p, BytesView text) override;
    void showActiveLevels(bool shown) override;

    Screen currentScreen() const override;
    void FocusField() override;
    void drawFileMenu() override;
    void drawGameModeMenu() override;
    void showFileMenu(bool shown) override;
    void showGameModeMenu(bool shown) override;
    void layOutFieldsPage(GameMode mode) override;
    // File > High Scores shows the high-score window.
    void setHighScoreView(HighScoreView* view) { m_highScoreView = view; }
    void showHighScores() override;
    void closeWindow() override;
    void ShowHelp() override;

    // The chat page's game buttons and the block occurrence window come with their pages; the
    // states are kept for them.
    void setStartButtonCaption(BytesView caption) override { m_startCaption = Bytes(caption); }
    void setPauseButtonCaption(BytesView caption) override { m_pauseCaption = Bytes(caption); }
    void setPauseButtonEnabled(bool enabled) override { m_pauseEnabled = enabled; }
    void setBlockRatioFramesEnabled(bool enabled) override { m_blockRatioEnabled = enabled; }

    void openTalkBox(bool teamChat) override;
    void closeTalkBox() override;

    void ClearTopmost() override;
    void ApplyStayOnTop() override;

private:
    MainWindow& m_window;
    HelpWindow& m_help;
    const Options& m_options;
    const GameSession* m_session = nullptr;
    HighScoreView* m_highScoreView = nullptr;
    Bytes m_startCaption = "Start Game";
    Bytes m_pauseCaption = "Pause Game";
    bool m_pauseEnabled = false;
    bool m_blockRatioEnabled = true;
};

} // namespace kalvon
