#pragma once
// Two or more whole programs in one process, each over its own program folder, settings and
// scripted boxes, on real sockets: the rig of the internet-play tests. Every step waits for
// what it expects, with a generous bound.

#include "engine/state.h"
#include "game/gamecore.h"
#include "net/gameserver.h"
#include "net/internetclient.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "window/gameprogram.h"
#include "window/mainwindow.h"
#include "window/pages/chatpage.h"
#include "window/pages/connectpage.h"
#include "window/pages/serverpage.h"
#include "window/pictureview.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTextEdit>
#include <functional>

namespace kalvon::testing {

inline constexpr int kPatienceMs = 30000;

// Lets events run until `done` holds; false when the bound passed first.
inline bool waitFor(const std::function<bool()>& done, int boundMs = kPatienceMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > boundMs)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A port nothing listens on now.
inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// One program over its own folder, with a player name in its settings and scripted boxes.
// `settings` adds sections of its own to kalvon.ini.
struct Player {
    explicit Player(const char* name, const std::string& settings = {})
    {
        std::filesystem::create_directory_symlink(KALVON_DATA_DIR, folder / "data");
        std::filesystem::create_directory(folder / "tmp");
        folder.write("kalvon.ini",
            std::string("[General]\r\ngamemode=3\r\n[Network]\r\nname=") + name
                + "\r\nlastip=0.0.0.0\r\nmaxclients=6\r\n" + settings);
        program = std::make_unique<GameProgram>(folder.path(), folder / "tmp", &dialogs);
        program->setEndProcess([] {});
        program->start();
    }

    MainWindow& window() { return program->window(); }
    InternetClient& client() { return program->client(); }
    const EngineState& state() { return program->core().engine().state(); }
    QString chat() { return window().chatPage().chatBox().toPlainText(); }

    void clickPage(MenuBarButton button)
    {
        QTest::mouseClick(&window().menuBar().button(button), Qt::LeftButton);
    }
    // A line typed in the chat page's input line and sent with Enter.
    void say(const QString& line)
    {
        QLineEdit& box = window().chatPage().chatLine();
        type(box, line);
        QTest::keyClick(&box, Qt::Key_Return);
    }
    static void type(QLineEdit& box, const QString& text)
    {
        box.selectAll();
        box.del();
        QTest::keyClicks(&box, text);
    }

    // The connect page: the address typed, the button clicked.
    void connectTo(quint16 port)
    {
        clickPage(MenuBarButton::Connect);
        ConnectPage& page = window().connectPage();
        type(*page.addressBox().lineEdit(), QStringLiteral("127.0.0.1:%1").arg(port));
        QTest::mouseClick(&page.connectButton(), Qt::LeftButton);
    }

    // The server page: the server started on `port`, its own client joined; true once the
    // chat page shows.
    bool hostOn(quint16 port)
    {
        clickPage(MenuBarButton::Server);
        type(window().serverPage().portBox(), QString::number(port));
        QTest::mouseClick(&window().serverPage().startServerButton(), Qt::LeftButton);
        if (!program->server().isRunning())
            return false;
        connectTo(port);
        return waitFor([&] { return window().CurrentScreen() == Screen::Chat; });
    }

    // Hosts on a port that was free a moment ago. On a busy machine another process may take it
    // first, so a few ports are tried. The port hosted on, or 0.
    quint16 hostOnFreePort()
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            const quint16 port = freePort();
            if (port != 0 && hostOn(port))
                return port;
            if (program->server().isRunning())
                return 0; // started, yet its own client could not join: not a port taken
            dialogs.calls.clear(); // the error of the port taken
        }
        return 0;
    }

    ScratchFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<GameProgram> program;
};

} // namespace kalvon::testing
