#include "window/shellgamewindow.h"

#include "engine/highscores.h"
#include "engine/store/options.h"
#include "platform/windowutils.h"
#include "window/gamesession.h"
#include "window/helpwindow.h"
#include "window/mainwindow.h"

#include <QLineEdit>
#include <QWindow>

namespace kalvon {

ShellGameWindow::ShellGameWindow(MainWindow& window, HelpWindow& help, const Options& options)
    : m_window(window)
    , m_help(help)
    , m_options(options)
{
}

void ShellGameWindow::setCaption(BytesView text)
{
    m_window.setCaption(text);
}

void ShellGameWindow::setLabel(LabelId label, int p, BytesView text)
{
    m_window.setLabel(label, p, text);
}

void ShellGameWindow::setLinesPerMinute(int p, BytesView text)
{
    m_window.setLinesPerMinute(p, text);
}

void ShellGameWindow::showActiveLevels(bool shown)
{
    m_window.showActiveLevels(shown);
}

Screen ShellGameWindow::currentScreen() const
{
    return m_window.CurrentScreen();
}

void ShellGameWindow::FocusField()
{
    m_window.FocusField();
}

void ShellGameWindow::drawFileMenu()
{
    m_window.DrawFileMenu(m_session ? m_session->FileMenuHover() : -1);
}

void ShellGameWindow::drawGameModeMenu()
{
    m_window.DrawGameModeMenu(m_session ? m_session->GameModeMenuHover() : -1);
}

void ShellGameWindow::showFileMenu(bool shown)
{
    m_window.showFileMenu(shown);
}

void ShellGameWindow::showGameModeMenu(bool shown)
{
    m_window.showGameModeMenu(shown);
}

void ShellGameWindow::layOutFieldsPage(GameMode mode)
{
    m_window.layOutFieldsPage(mode);
}

void ShellGameWindow::showHighScores()
{
    if (m_highScoreView)
        m_highScoreView->showHighScoreWindow();
}

void ShellGameWindow::closeWindow()
{
    emit m_window.unloadRequested();
}

void ShellGameWindow::ShowHelp()
{
    m_help.ShowHelp();
}

void ShellGameWindow::openTalkBox(bool teamChat)
{
    QLineEdit& talk = m_window.talkBox();
    if (teamChat)
        talk.setText(QStringLiteral("/sayteam "));
    talk.show();
    talk.raise();
    talk.setCursorPosition(int(talk.text().size()));
    talk.setFocus();
}

void ShellGameWindow::closeTalkBox()
{
    QLineEdit& talk = m_window.talkBox();
    talk.clear();
    talk.hide();
    m_window.FocusField();
}

void ShellGameWindow::ClearTopmost()
{
    kalvon::ClearTopmost(m_window.windowHandle());
}

void ShellGameWindow::ApplyStayOnTop()
{
    kalvon::ApplyStayOnTop(m_window.windowHandle(), m_options.general.stayOnTop);
}

} // namespace kalvon
