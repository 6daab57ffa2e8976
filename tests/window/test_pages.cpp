// The main window's pages: exactly a page's controls are visible after every switch, in each
// game mode; each switch draws its background and plays the click sound again when repeated;
// the connect page's button disconnects while online; the themes page's list and preview
// timer; and the controls lie where the window layout sheet puts them.

#include "engine/state.h"
#include "platform/qtext.h"
#include "render/themepaths.h"
#include "render/windowskin.h"
#include "skinfixture.h"
#include "window/mainwindow.h"
#include "window/pages/connectpage.h"
#include "window/pages/optionspage.h"
#include "window/pages/themespage.h"
#include "window/pictureview.h"
#include "window/servergrid.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace kalvon {
namespace {

using Names = std::set<QString>;

// The elements from..to of a control array.
Names array(const char* name, int from, int to)
{
    Names names;
    for (int i = from; i <= to; ++i)
        names.insert(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
    return names;
}

Names operator+(Names a, const Names& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

Names names(std::initializer_list<const char*> list)
{
    Names result;
    for (const char* name : list)
        result.insert(QLatin1String(name));
    return result;
}

// Every page's own background colour, and the fields page's from the main picture.
constexpr std::pair<Screen, QRgb> kBackgrounds[]
    = { { Screen::Options, 0xff112233 }, { Screen::Server, 0xff223344 }, { Screen::Connect, 0xff334455 },
          { Screen::Themes, 0xff445566 }, { Screen::Chat, 0xff556677 } };
constexpr Screen kPages[]
    = { Screen::Fields, Screen::Options, Screen::Server, Screen::Connect, Screen::Themes, Screen::Chat };
constexpr QRgb kConnectCurrent = 0xff0a0b0c;
constexpr QRgb kDisconnectCurrent = 0xff0c0b0a;

class RecordingConnection final : public ClientConnection {
public:
    std::vector<std::string> calls;
    void disconnectFromServer() override { calls.emplace_back("disconnectFromServer"); }
};

class PagesTest : public ::testing::Test {
protected:
    PagesTest()
    {
        DrawInterface(skin, fixture.loading);
        for (const auto& [screen, color] : kBackgrounds) {
            auto page = std::make_shared<Surface>(624, 466);
            page->fill(color);
            sheet(screen) = page;
        }
        // The connect button's current-page tiles of both faces.
        QImage misc = fixture.images.interfaceMisc->image();
        QPainter painter(&misc);
        painter.fillRect(0, 451, 140, 19, QColor::fromRgb(kConnectCurrent));
        painter.fillRect(140, 451, 140, 19, QColor::fromRgb(kDisconnectCurrent));
        painter.end();
        *fixture.images.interfaceMisc = Surface::fromImage(misc);

        window.setGameState(state);
        window.setClickSound([this] { ++clicks; });
        window.show();
        window.ShowFieldScreen();
    }

    Sheet& sheet(Screen screen)
    {
        switch (screen) {
        case Screen::Options: return fixture.images.optionsPage;
        case Screen::Server: return fixture.images.serverPage;
        case Screen::Connect: return fixture.images.connectPage;
        case Screen::Themes: return fixture.images.themesPage;
        default: return fixture.images.chatPage;
        }
    }

    // The named controls on the page area that can be seen now (the menu bar's buttons among
    // them).
    Names visibleControls()
    {
        Names visible;
        for (QWidget* child : window.pageArea().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->objectName().isEmpty() && child->isVisible())
                visible.insert(child->objectName());
        }
        return visible;
    }

    static Names menuBar(GameMode mode)
    {
        const Names always = names({ "FileButton", "fieldsbutton", "OptionsButton", "ThemeButton" });
        return mode == GameMode::Internet ? always + names({ "Serverbutton", "ChatButton", "ConnectButton" })
                                          : always + names({ "HelpButton" });
    }

    // The controls each page shows, the options page with the player 1 key set.
    static Names expectedControls(Screen page, GameMode mode)
    {
        const Names fieldsCommon = names({ "picField(1)", "lblSpec(1)", "picSpecials(1)", "picLeds(1)",
            "rtSpecials", "lblCliName", "picNextPiece(0)" });
        const Names secondPlayer
            = names({ "picField(2)", "lblSpec(2)", "picSpecials(2)", "picLeds(2)", "lblPlayer2" });
        switch (page) {
        case Screen::Fields:
            switch (mode) {
            case GameMode::OnePlayer:
                return fieldsCommon + secondPlayer + names({ "lblScore", "lblScoreLabel" });
            case GameMode::TwoPlayers: return fieldsCommon + secondPlayer + names({ "picNextPiece(4)" });
            case GameMode::Internet:
                return fieldsCommon + array("picInternetfield", 1, 5) + array("lblInetName", 1, 5);
            }
            break;
        case Screen::Options:
            // The music section's rows (captions 21 to 23) are its own children.
            return array("lblOptionMenu", 0, 20) + array("lblOptionMenu", 24, 28)
                + names({ "chkTaskbarIcon", "chkSmoothBlock", "chkDropTrail", "chkShadows", "chkExplode",
                    "chkBomb", "chkDoor", "chkWarning", "chkLeds", "chkP1Guide", "chkP2Guide",
                    "cmdTrailColor", "chkBGAni", "chkAniInetBG", "chkAniInetBlks", "chkblkani", "chkAniSpec",
                    "chkInetSpec", "chkNextBlk", "chkSpecWin", "chkOnTop", "txtTheme", "cmdPreview",
                    "cmdThemeBrowse", "chkSounds", "MusicOptionsSection", "hsControl", "cmdClearControls",
                    "cmdP1Rotate(0)", "cmbControls", "cmdP1Rotate(1)", "cmdP1Down(1)", "cmdP1Drop(1)",
                    "cmdP1Left(1)", "cmdP1Right(1)", "cmdP1Rotate2(1)", "cmdP1UseSelf(1)",
                    "cmdP1EnemySpecial(1)", "cmdP1Discard(1)" });
        case Screen::Server:
            return array("lblServerMenu", 0, 14) + array("lblHeight", 0, 5) + array("txtPlayerHeight", 1, 6)
                + names({ "lblUserName", "cmbUsers", "cmdChangeRatio", "cmdDefaultServOptions",
                    "cmdStartServer", "txtServIP", "txtMax", "txtPort", "chkSpecials", "chkSpecialLine",
                    "chkClassic", "chkSameLevel", "txtDelay", "txtLevel", "txtLineLevel", "txtLevelsMade",
                    "txtLineSpec", "txtSpecialsMade", "txtMaxSpecial", "lstBans", "txtBan", "cmdBanUser",
                    "cmdKickUser" });
        case Screen::Connect:
            return names({ "lblClient(0)", "lblClient(1)", "lblCredits", "txtIP", "txtName", "cmdConnect",
                "cmdServerList", "gridServers" });
        case Screen::Themes:
            return array("lblThemeMenu", 0, 10)
                + names({ "cboThemes", "cmdBrowsePreview", "cmdGeneratePreview", "cmdUseTheme",
                    "lblThemeAuthor", "lblThemeType", "lblThemeTitle", "lblThemeVersion", "lblThemeView",
                    "picField(3)", "picBlkPreview", "picSpecPreview", "picInetBlkPreview", "picNextPiece(3)",
                    "picSpecials(0)", "picInetPreview", "chkBltBlocks", "chkSpecPreview", "chkPreviewBlocks",
                    "chkPreviewBack", "chkPreviewInetBG", "chkPreviewNext", "cmbSounds", "cmdPlaySound",
                    "cmdOpenDoor", "cmdCloseDoor", "cmdExplode", "cmdBomb", "cmdInetOpenDoor",
                    "cmdInetCloseDoor", "picLeds(0)" });
        case Screen::Chat:
            return names({ "rtChat", "cmdSpectate", "cmdJoinGame", "cmdStartGame", "cmdPauseGame",
                "lstSpectators", "lstPlayers", "txtTeam", "cmdTeam", "txtChatSend", "cmdRoomBrowser" });
        }
        return {};
    }

    void setMode(GameMode mode)
    {
        state.GameMode = mode;
        window.layOutFieldsPage(mode);
    }

    // Left of the internet backdrop.
    QRgb pageAreaPixel() const { return skin.picForm.pixel(100, 300); }

    testing::SkinFixture fixture;
    WindowSkin skin;
    Themes themes;
    EngineState state;
    MainWindow window{ skin, fixture.images, themes };
    int clicks = 0;
};

// From every page to every page, in every game mode: exactly the page's controls are left.
TEST_F(PagesTest, EverySwitchLeavesExactlyThePagesControlsVisible)
{
    for (GameMode mode : { GameMode::OnePlayer, GameMode::TwoPlayers, GameMode::Internet }) {
        setMode(mode);
        for (Screen from : kPages) {
            for (Screen to : kPages) {
                SCOPED_TRACE(::testing::Message()
                    << "mode " << int(mode) << ", page " << int(from) << " to " << int(to));
                window.showPage(from);
                window.showPage(to);
                EXPECT_EQ(window.CurrentScreen(), to);
                EXPECT_EQ(visibleControls(), expectedControls(to, mode) + menuBar(mode));
            }
        }
    }
}

// The game-mode menu re-lays the fields page while it shows, and leaves another page alone.
TEST_F(PagesTest, GameModeChangeRelaysOnlyTheFieldsPage)
{
    for (GameMode mode : { GameMode::TwoPlayers, GameMode::Internet, GameMode::OnePlayer }) {
        SCOPED_TRACE(int(mode));
        window.ShowFieldScreen();
        setMode(mode);
        EXPECT_EQ(visibleControls(), expectedControls(Screen::Fields, mode) + menuBar(mode));
        window.ShowOptionsScreen();
        setMode(mode == GameMode::Internet ? GameMode::OnePlayer : GameMode::Internet);
        EXPECT_EQ(
            visibleControls(), expectedControls(Screen::Options, state.GameMode) + menuBar(state.GameMode));
    }
}

// The control-set list chooses which binding buttons the options page shows.
TEST_F(PagesTest, OptionsPageShowsTheBindingSetTheListChooses)
{
    const Names player1 = array("cmdP1Rotate", 1, 1) + array("cmdP1Down", 1, 1) + array("cmdP1Drop", 1, 1)
        + array("cmdP1Left", 1, 1) + array("cmdP1Right", 1, 1) + array("cmdP1Rotate2", 1, 1)
        + array("cmdP1UseSelf", 1, 1) + array("cmdP1EnemySpecial", 1, 1) + array("cmdP1Discard", 1, 1);
    const Names player2 = array("cmdP1Rotate", 2, 2) + array("cmdP1Down", 2, 2) + array("cmdP1Drop", 2, 2)
        + array("cmdP1Left", 2, 2) + array("cmdP1Right", 2, 2) + array("cmdP1Rotate2", 2, 2)
        + array("cmdP1UseSelf", 2, 2) + array("cmdP1EnemySpecial", 2, 2) + array("cmdP1Discard", 2, 2);
    const Names internet = array("cmdISpec", 0, 6) + names({ "cmdITalk", "cmdITeamTalk" });
    const Names others
        = expectedControls(Screen::Options, GameMode::OnePlayer) + menuBar(GameMode::OnePlayer);
    Names withoutKeys;
    for (const QString& name : others) {
        if (!player1.count(name))
            withoutKeys.insert(name);
    }
    const struct {
        int set;
        Names keys;
        bool switchEnabled;
    } cases[] = { { 1, player2, true }, { 2, internet, false }, { 0, player1, true } };
    OptionsPage& options = window.optionsPage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        window.ShowFieldScreen();
        options.controlSets().setCurrentIndex(c.set);
        window.ShowOptionsScreen();
        EXPECT_EQ(visibleControls(), withoutKeys + c.keys);
        EXPECT_TRUE(options.switchControlsButton().isVisible());
        EXPECT_EQ(options.switchControlsButton().isEnabled(), c.switchEnabled);
    }
}

// Each switch draws the page's background and plays the click sound, again when the page
// shown is chosen again; the connect page alone plays none.
TEST_F(PagesTest, SwitchingToThePageShownRepeatsTheSwitch)
{
    setMode(GameMode::Internet);
    for (Screen page : kPages) {
        SCOPED_TRACE(int(page));
        window.showPage(page);
        const QRgb background = pageAreaPixel();
        if (page == Screen::Fields)
            EXPECT_EQ(background, testing::kPageColor);
        else
            EXPECT_EQ(background, sheet(page)->pixel(0, 0));
        skin.picForm.fill(0xff000000);
        clicks = 0;
        window.showPage(page);
        EXPECT_EQ(window.CurrentScreen(), page);
        EXPECT_EQ(pageAreaPixel(), background) << "the background is drawn again";
        EXPECT_EQ(clicks, page == Screen::Connect ? 0 : 1);
    }
}

// Online, the connect page's button disconnects (the client sends the quit), the connect button's face
// back, the page shown kept; offline again, it opens the connect page.
TEST_F(PagesTest, ConnectButtonDisconnectsWhileOnlineAndKeepsThePage)
{
    RecordingConnection connection;
    window.setClientConnection(&connection);
    setMode(GameMode::Internet);
    window.ShowChatScreen();
    ConnectPage& connect = window.connectPage();
    connect.connectButton().setText(QStringLiteral("Disconnect"));
    connect.nameBox().setEnabled(false);
    connect.addressBox().setEnabled(false);
    window.setOffline(false);
    clicks = 0;

    window.ShowConnectScreen();
    EXPECT_EQ(connection.calls, (std::vector<std::string>{ "disconnectFromServer" }));
    EXPECT_EQ(window.CurrentScreen(), Screen::Chat);
    EXPECT_EQ(
        visibleControls(), expectedControls(Screen::Chat, GameMode::Internet) + menuBar(GameMode::Internet));
    EXPECT_TRUE(window.offline());
    EXPECT_EQ(connect.connectButton().text(), QStringLiteral("Connect"));
    EXPECT_TRUE(connect.nameBox().isEnabled());
    EXPECT_TRUE(connect.addressBox().isEnabled());
    const Surface* face = window.menuBar().button(MenuBarButton::Connect).surface();
    ASSERT_TRUE(face);
    EXPECT_EQ(face->pixel(70, 9), kConnectCurrent) << "the connect face's current tile";
    EXPECT_EQ(clicks, 0);

    connection.calls.clear();
    window.ShowConnectScreen();
    EXPECT_TRUE(connection.calls.empty());
    EXPECT_EQ(window.CurrentScreen(), Screen::Connect);
    EXPECT_EQ(visibleControls(),
        expectedControls(Screen::Connect, GameMode::Internet) + menuBar(GameMode::Internet));
    EXPECT_EQ(face->pixel(70, 9), kConnectCurrent);

    // While online the current tile of the connect page shows the disconnect face.
    window.setOffline(false);
    window.PaintToolbarButtons();
    EXPECT_EQ(face->pixel(70, 9), kDisconnectCurrent);
}

TEST_F(PagesTest, ConnectPageWritesTheServerListsHeader)
{
    window.ShowConnectScreen();
    QTableWidget& grid = window.connectPage().serverList();
    const std::pair<const char*, int> columns[] = { { "Server Name", 200 }, { "IP Address", 114 },
        { "Clients", 39 }, { "Rooms", 39 }, { "Ping", 39 } };
    ASSERT_EQ(grid.columnCount(), 5);
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(c);
        ASSERT_TRUE(grid.horizontalHeaderItem(c));
        EXPECT_EQ(grid.horizontalHeaderItem(c)->text(), QLatin1String(columns[c].first));
        EXPECT_EQ(grid.columnWidth(c), columns[c].second);
    }
    // With a listed server, its address cell is chosen.
    grid.setRowCount(2);
    grid.setCurrentCell(1, 3);
    window.connectPage().SetupServerGrid();
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 1);
}

// The theme list holds the data folder's theme files once, however often the page is shown,
// and shows the theme box's path even when that file is elsewhere.
TEST_F(PagesTest, ThemesPageListsTheDataFolderOnceAndShowsTheThemeBox)
{
    testing::ScratchFolder program;
    std::filesystem::create_directories(program / "data");
    for (const char* name : { "first.kvx", "SECOND.KVX", "notes.txt", "x.kv", ".kvx" })
        program.write(std::string("data/") + name, "");
    window.setProgramFolder(program.path());
    window.optionsPage().themeBox().setText(QStringLiteral("/elsewhere/mine.kvx"));

    const QString data = toQString(folderText(program / "data"));
    for (int visit = 1; visit <= 2; ++visit) {
        SCOPED_TRACE(visit);
        window.ShowThemeScreen();
        window.ShowOptionsScreen();
        QComboBox& list = window.themesPage().themeList();
        Names items;
        for (int i = 0; i < list.count(); ++i)
            items.insert(list.itemText(i));
        EXPECT_EQ(list.count(), 2);
        EXPECT_EQ(items, (Names{ data + QStringLiteral("first.kvx"), data + QStringLiteral("SECOND.KVX") }));
        EXPECT_EQ(list.currentText(), QStringLiteral("/elsewhere/mine.kvx"));
    }
}

// The preview's timer runs only on the themes page, and only once the preview's tests can be
// used; every other page stops it.
TEST_F(PagesTest, LeavingTheThemesPageStopsThePreviewTimer)
{
    setMode(GameMode::Internet);
    ThemesPage& themesPage = window.themesPage();
    window.ShowThemeScreen();
    EXPECT_FALSE(themesPage.previewTimer().isActive()) << "no preview yet";

    themesPage.openDoorButton().setEnabled(true);
    for (Screen other : kPages) {
        if (other == Screen::Themes)
            continue;
        SCOPED_TRACE(int(other));
        window.ShowThemeScreen();
        EXPECT_TRUE(themesPage.previewTimer().isActive());
        window.showPage(other);
        EXPECT_FALSE(themesPage.previewTimer().isActive());
    }
}

// The controls lie where the window layout sheet puts them: every control its tables name
// exists once, with the sheet's rectangle in picForm coordinates where the table says so
// (whatever widget holds it there), else in its parent.
TEST_F(PagesTest, ControlsLieWhereTheLayoutSheetPutsThem)
{
    QFile sheetFile(QStringLiteral(KALVON_DATA_DIR "/../docs/layout.md"));
    ASSERT_TRUE(sheetFile.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(sheetFile.readAll());
    // The tables of the main window, up to its chat page; the panels of the chat page come with
    // their contents.
    const qsizetype start = text.indexOf(QStringLiteral("### Title bar"));
    const qsizetype end = text.indexOf(QStringLiteral("### picChatOptions"));
    ASSERT_GT(start, 0);
    ASSERT_GT(end, start);
    const QRegularExpression row(
        QStringLiteral(R"(^\| `([^`]+)` \| (-?\d+) \| (-?\d+) \| (\d+) \| (\d+) \|)"),
        QRegularExpression::MultilineOption);
    int checked = 0;
    QWidget& picForm = window.pageArea();
    for (const QString& table : text.mid(start, end - start).split(QStringLiteral("\n### "))) {
        const bool inPicForm = table.contains(QStringLiteral("Rectangles relative to picForm"));
        for (auto match = row.globalMatch(table); match.hasNext();) {
            const QRegularExpressionMatch m = match.next();
            const QRect rect(
                m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt(), m.captured(5).toInt());
            // Controls of one array that share a place are listed together.
            for (QString name : m.captured(1).split(QStringLiteral(", "))) {
                if (name.startsWith(QLatin1Char('(')))
                    continue; // a drawn area, no control
                // A side panel's children, for both players.
                const QStringList elements = name.endsWith(QStringLiteral("(p)"))
                    ? QStringList{ name.replace(QStringLiteral("(p)"), QStringLiteral("(1)")),
                          QString(name).replace(QStringLiteral("(1)"), QStringLiteral("(2)")) }
                    : QStringList{ name };
                for (const QString& element : elements) {
                    SCOPED_TRACE(element.toStdString());
                    const QList<QWidget*> found = window.findChildren<QWidget*>(element);
                    ASSERT_EQ(found.size(), 1);
                    QWidget* control = found.front();
                    ASSERT_TRUE(!inPicForm || picForm.isAncestorOf(control));
                    EXPECT_EQ(inPicForm ? QRect(control->mapTo(&picForm, QPoint()), control->size())
                                        : control->geometry(),
                        rect);
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 150) << "the sheet's tables were read";
}

} // namespace
} // namespace kalvon
