#include "pages.h"

#include "layout.h"

#include <QStringList>

namespace kalvon::themegen {

namespace {

// Rectangles are written in page-background coordinates and stored in body coordinates.
QRect pf(int x, int y, int w, int h)
{
    return QRect(x + kPageOrigin.x(), y + kPageOrigin.y(), w, h);
}

const int kRowPitch = 22; // check-box rows inside a card

// A check box and its caption label on row `row` of a card.
void checkRow(
    Page& page, const Card& card, int row, const QString& box, const QString& label, const QString& caption)
{
    const int y = card.rect.top() + 28 + kRowPitch * row;
    page.controls.push_back({ box, pf(card.rect.left() + 12, y + 2, 13, 13), QString() });
    page.controls.push_back({ label, pf(card.rect.left() + 31, y, card.rect.width() - 40, 16), caption });
}

Page optionsPage()
{
    Page page{ QStringLiteral("Options page (CurrentScreen 2)"), QStringLiteral("ifaceoptions"),
        QStringLiteral("picForm"), {}, {} };
    const Card graphics{ { 8, 8, 188, 284 }, QStringLiteral("Graphics") };
    const Card animation{ { 204, 8, 220, 204 }, QStringLiteral("Animation") };
    const Card window{ { 204, 220, 220, 72 }, QStringLiteral("Window") };
    const Card sound{ { 432, 8, 184, 148 }, QStringLiteral("Sound & Music") };
    const Card theme{ { 432, 164, 184, 128 }, QStringLiteral("Theme") };
    const Card controls{ { 8, 300, 608, 158 }, QStringLiteral("Controls") };
    page.cards = { graphics, animation, window, sound, theme, controls };

    const struct {
        int row;
        const char* box;
        const char* caption;
    } graphicsRows[]
        = { { 0, "chkSmoothBlock", "Smooth Block Movement" }, { 1, "chkDropTrail", "Drop Particle Trail" },
              { 3, "chkShadows", "Shadows" }, { 4, "chkExplode", "Kalvon Explosion" },
              { 5, "chkBomb", "Block Bomb Explosion" }, { 6, "chkDoor", "Kalvon Door" },
              { 7, "chkWarning", "Show Warning Sign" }, { 8, "chkLeds", "Enable Height Led" },
              { 9, "chkP1Guide", "Player 1 Guide Lines" }, { 10, "chkP2Guide", "Player 2 Guide Lines" } };
    int label = 0;
    for (const auto& r : graphicsRows)
        checkRow(page, graphics, r.row, QLatin1String(r.box),
            QStringLiteral("lblOptionMenu(%1)").arg(label++), QLatin1String(r.caption));
    page.controls.push_back({ QStringLiteral("cmdTrailColor"), pf(39, 8 + 28 + 2 * kRowPitch - 2, 110, 20),
        QStringLiteral("Change Color") });
    const char* animationRows[][2]
        = { { "chkBGAni", "Animate Backround" }, { "chkAniInetBG", "Animate Internet Backround" },
              { "chkblkani", "Animate Blocks" }, { "chkAniSpec", "Animate Specials" },
              { "chkAniInetBlks", "Animate Internet Blocks" }, { "chkInetSpec", "Animate Internet Specials" },
              { "chkNextBlk", "Animate Next Block Window" }, { "chkSpecWin", "Animate Special Window" } };
    for (int i = 0; i < 8; ++i)
        checkRow(page, animation, i, QLatin1String(animationRows[i][0]),
            QStringLiteral("lblOptionMenu(%1)").arg(label++), QLatin1String(animationRows[i][1]));
    checkRow(page, window, 0, QStringLiteral("chkOnTop"), QStringLiteral("lblOptionMenu(%1)").arg(label++),
        QStringLiteral("Stay On Top"));
    checkRow(page, window, 1, QStringLiteral("chkTaskbarIcon"),
        QStringLiteral("lblOptionMenu(%1)").arg(label++), QStringLiteral("Show Tray Icon"));
    checkRow(page, sound, 0, QStringLiteral("chkSounds"), QStringLiteral("lblOptionMenu(%1)").arg(label++),
        QStringLiteral("Play Sounds"));
    checkRow(page, sound, 1, QStringLiteral("chkMusic"), QStringLiteral("lblOptionMenu(%1)").arg(label++),
        QStringLiteral("Play Music"));
    checkRow(page, sound, 2, QStringLiteral("chkThemeMusic"),
        QStringLiteral("lblOptionMenu(%1)").arg(label++), QStringLiteral("Use Theme Music"));
    // label is 23 here: the remaining six captions.
    page.controls.push_back(
        { QStringLiteral("lblOptionMenu(23)"), pf(444, 102, 164, 16), QStringLiteral("Music File:") });
    page.controls.push_back({ QStringLiteral("txtMidi"), pf(444, 120, 108, 20), QString() });
    page.controls.push_back({ QStringLiteral("cmdBrowse"), pf(556, 119, 52, 22), QStringLiteral("Browse") });
    page.controls.push_back(
        { QStringLiteral("lblOptionMenu(24)"), pf(444, 192, 164, 16), QStringLiteral("Theme File Name:") });
    page.controls.push_back({ QStringLiteral("txtTheme"), pf(444, 210, 164, 20), QString() });
    page.controls.push_back(
        { QStringLiteral("cmdThemeBrowse"), pf(444, 238, 80, 22), QStringLiteral("Browse") });
    page.controls.push_back(
        { QStringLiteral("cmdPreview"), pf(528, 238, 80, 22), QStringLiteral("Previewer") });

    page.controls.push_back(
        { QStringLiteral("lblOptionMenu(25)"), pf(20, 330, 112, 16), QStringLiteral("Player Control Set:") });
    page.controls.push_back({ QStringLiteral("cmbControls"), pf(134, 328, 110, 20), QString() });
    page.controls.push_back({ QStringLiteral("cmdP1Rotate(0)"), pf(256, 327, 168, 22),
        QStringLiteral("Switch Player Controls") });
    page.controls.push_back(
        { QStringLiteral("cmdClearControls"), pf(432, 327, 172, 22), QStringLiteral("Clear All Controls") });
    // Key-binding buttons: three rows of three; both players' buttons share a place.
    const char* players[][2] = { { "cmdP1Rotate", "Rotate Right: " }, { "cmdP1Rotate2", "Rotate Left: " },
        { "cmdP1Drop", "Drop: " }, { "cmdP1Left", "Left: " }, { "cmdP1Right", "Right: " },
        { "cmdP1Down", "Piece Down: " }, { "cmdP1UseSelf", "Self Special: " },
        { "cmdP1EnemySpecial", "Enemy Special: " }, { "cmdP1Discard", "Discard Special: " } };
    const char* internet[][2] = { { "cmdISpec(1)", "Use Special On Player 1: " },
        { "cmdISpec(2)", "Use Special On Player 2: " }, { "cmdISpec(3)", "Use Special On Player 3: " },
        { "cmdISpec(4)", "Use Special On Player 4: " }, { "cmdISpec(5)", "Use Special On Player 5: " },
        { "cmdISpec(6)", "Use Special On Player 6: " }, { "cmdISpec(0)", "Revenge Special: " },
        { "cmdITalk", "Talk: " }, { "cmdITeamTalk", "Team Talk: " } };
    for (int i = 0; i < 9; ++i) {
        const QRect r = pf(20 + 196 * (i % 3), 356 + 24 * (i / 3), 192, 22);
        page.controls.push_back({ QStringLiteral("%1(1), %1(2)").arg(QLatin1String(players[i][0])), r,
            QLatin1String(players[i][1]) + QStringLiteral("<key>") });
        page.controls.push_back(
            { QLatin1String(internet[i][0]), r, QLatin1String(internet[i][1]) + QStringLiteral("<key>") });
    }
    page.controls.push_back({ QStringLiteral("lblOptionMenu(26)"), pf(20, 435, 112, 16),
        QStringLiteral("Control Sensitivity:") });
    page.controls.push_back(
        { QStringLiteral("lblOptionMenu(27)"), pf(134, 435, 30, 16), QStringLiteral("High") });
    page.controls.push_back({ QStringLiteral("hsControl"), pf(166, 435, 250, 16),
        QStringLiteral("(range 1 at the left to 200 at the right)") });
    page.controls.push_back(
        { QStringLiteral("lblOptionMenu(28)"), pf(420, 435, 30, 16), QStringLiteral("Low") });
    return page;
}

Page serverPage()
{
    Page page{ QStringLiteral("Server page (CurrentScreen 3)"), QStringLiteral("ifaceserver"),
        QStringLiteral("picForm"), {}, {} };
    const Card rules{ { 8, 8, 300, 300 }, QStringLiteral("Game Rules") };
    const Card heights{ { 8, 348, 300, 110 }, QStringLiteral("Start Heights") };
    const Card server{ { 316, 8, 300, 150 }, QStringLiteral("Server") };
    const Card players{ { 316, 166, 300, 104 }, QStringLiteral("Players") };
    const Card bans{ { 316, 278, 300, 180 }, QStringLiteral("Ban List") };
    page.cards = { rules, heights, server, players, bans };
    const char* checks[][2]
        = { { "chkSpecials", "Use Specials" }, { "chkSpecialLine", "Specials Given = Lines Made" },
              { "chkClassic", "Classic Mode: Lines Go To Others" },
              { "chkSameLevel", "Players Have The Same Level" } };
    for (int i = 0; i < 4; ++i)
        checkRow(page, rules, i, QLatin1String(checks[i][0]), QStringLiteral("lblServerMenu(%1)").arg(i),
            QLatin1String(checks[i][1]));
    const char* numbers[][2] = { { "txtDelay", "Piece Delay (Milliseconds):" },
        { "txtLevel", "Starting Level:" }, { "txtLineLevel", "Lines To Make To Raise Level:" },
        { "txtLevelsMade", "Levels Raised:" }, { "txtLineSpec", "Lines To Make To Make Special:" },
        { "txtSpecialsMade", "Specials Made:" }, { "txtMaxSpecial", "Max. Number Of Specials:" } };
    for (int i = 0; i < 7; ++i) {
        const int y = 130 + 24 * i;
        page.controls.push_back({ QStringLiteral("lblServerMenu(%1)").arg(4 + i), pf(20, y + 2, 220, 16),
            QLatin1String(numbers[i][1]) });
        page.controls.push_back({ QLatin1String(numbers[i][0]), pf(248, y, 48, 20), QString() });
    }
    page.controls.push_back(
        { QStringLiteral("cmdChangeRatio"), pf(8, 316, 146, 24), QStringLiteral("Block Occurancy") });
    page.controls.push_back({ QStringLiteral("cmdDefaultServOptions"), pf(162, 316, 146, 24),
        QStringLiteral("Default Options") });
    page.controls.push_back({ QStringLiteral("lblServerMenu(11)"), pf(20, 376, 276, 16),
        QStringLiteral("Starting Block Stack Height:") });
    for (int i = 0; i < 6; ++i) {
        const int x = 20 + 96 * (i % 3), y = 398 + 26 * (i / 3);
        page.controls.push_back({ QStringLiteral("lblHeight(%1)").arg(i), pf(x, y + 2, 52, 16),
            QStringLiteral("Player %1:").arg(i + 1) });
        page.controls.push_back(
            { QStringLiteral("txtPlayerHeight(%1)").arg(i + 1), pf(x + 54, y, 32, 20), QString() });
    }
    page.controls.push_back(
        { QStringLiteral("lblServerMenu(12)"), pf(328, 38, 90, 16), QStringLiteral("Server Port:") });
    page.controls.push_back({ QStringLiteral("txtPort"), pf(424, 36, 64, 20), QString() });
    page.controls.push_back(
        { QStringLiteral("lblServerMenu(13)"), pf(328, 64, 90, 16), QStringLiteral("Max Clients:") });
    page.controls.push_back({ QStringLiteral("txtMax"), pf(424, 62, 64, 20), QString() });
    page.controls.push_back(
        { QStringLiteral("lblServerMenu(14)"), pf(328, 90, 90, 16), QStringLiteral("Server IP:") });
    page.controls.push_back(
        { QStringLiteral("txtServIP"), pf(424, 88, 180, 20), QStringLiteral("(read only)") });
    page.controls.push_back(
        { QStringLiteral("cmdStartServer"), pf(328, 118, 276, 28), QStringLiteral("Start Server") });
    page.controls.push_back({ QStringLiteral("lblUserName"), pf(328, 196, 40, 16), QStringLiteral("User:") });
    page.controls.push_back({ QStringLiteral("cmbUsers"), pf(372, 194, 232, 20), QString() });
    page.controls.push_back(
        { QStringLiteral("cmdKickUser"), pf(328, 224, 134, 24), QStringLiteral("Kick User") });
    page.controls.push_back(
        { QStringLiteral("cmdBanUser"), pf(470, 224, 134, 24), QStringLiteral("Ban User") });
    page.controls.push_back({ QStringLiteral("lstBans"), pf(328, 306, 276, 120), QString() });
    page.controls.push_back({ QStringLiteral("txtBan"), pf(328, 430, 276, 20), QString() });
    return page;
}

Page connectPage()
{
    Page page{ QStringLiteral("Connect page (CurrentScreen 4)"), QStringLiteral("ifaceconnect"),
        QStringLiteral("picForm"), {}, {} };
    page.cards = { { { 8, 8, 474, 110 }, QStringLiteral("Connect") },
        { { 8, 126, 474, 332 }, QStringLiteral("Server Browser") },
        { { 490, 8, 126, 450 }, QStringLiteral("Credits") } };
    page.controls = {
        { QStringLiteral("lblClient(1)"), pf(20, 38, 104, 16), QStringLiteral("Player Name:") },
        { QStringLiteral("txtName"), pf(128, 36, 220, 20), QString() },
        { QStringLiteral("lblClient(0)"), pf(20, 66, 104, 16), QStringLiteral("Server Address:") },
        { QStringLiteral("txtIP"), pf(128, 64, 220, 20), QStringLiteral("(editable combo box)") },
        { QStringLiteral("cmdConnect"), pf(360, 36, 110, 48), QStringLiteral("Connect") },
        { QStringLiteral("gridServers"), pf(20, 154, 450, 262),
            QStringLiteral("(column widths 200, 114, 39, 39, 39)") },
        { QStringLiteral("cmdServerList"), pf(20, 424, 150, 24), QStringLiteral("Get Server List") },
        { QStringLiteral("lblCredits"), pf(498, 36, 110, 414), QStringLiteral("(credits text)") },
    };
    return page;
}

Page themesPage()
{
    Page page{ QStringLiteral("Themes page (CurrentScreen 5)"), QStringLiteral("ifacethemes"),
        QStringLiteral("picForm"), {}, {} };
    const Card options{ { 432, 260, 184, 198 }, QStringLiteral("Preview Options") };
    page.cards = { { { 8, 8, 220, 450 }, QStringLiteral("Preview") },
        { { 236, 8, 188, 258 }, QStringLiteral("Internet & Next") },
        { { 236, 274, 188, 184 }, QStringLiteral("Samples & Sounds") },
        { { 432, 8, 184, 244 }, QStringLiteral("Theme Browser") }, options };
    page.controls = {
        { QStringLiteral("picField(3)"), pf(16, 32, 192, 352), QString() },
        { QStringLiteral("picLeds(0)"), pf(212, 32, 8, 352), QString() },
        { QStringLiteral("picSpecials(0)"), pf(32, 390, 160, 16), QString() },
        { QStringLiteral("cmdOpenDoor"), pf(16, 412, 100, 20), QStringLiteral("Open Door") },
        { QStringLiteral("cmdCloseDoor"), pf(120, 412, 100, 20), QStringLiteral("Close Door") },
        { QStringLiteral("cmdExplode"), pf(16, 436, 100, 20), QStringLiteral("Quad Explosion") },
        { QStringLiteral("cmdBomb"), pf(120, 436, 100, 20), QStringLiteral("Block Bomb") },
        { QStringLiteral("picInetPreview"), pf(244, 32, 96, 176), QString() },
        { QStringLiteral("picNextPiece(3)"), pf(343, 32, 77, 77), QString() },
        { QStringLiteral("cmdInetOpenDoor"), pf(244, 214, 176, 20), QStringLiteral("Open Internet Door") },
        { QStringLiteral("cmdInetCloseDoor"), pf(244, 238, 176, 20), QStringLiteral("Close Internet Door") },
        { QStringLiteral("picBlkPreview"), pf(248, 302, 96, 16), QString() },
        { QStringLiteral("lblThemeMenu(8)"), pf(350, 302, 66, 16), QStringLiteral("Blocks") },
        { QStringLiteral("picSpecPreview"), pf(248, 324, 96, 48), QString() },
        { QStringLiteral("lblThemeMenu(9)"), pf(350, 324, 66, 16), QStringLiteral("Specials") },
        { QStringLiteral("picInetBlkPreview"), pf(248, 378, 96, 16), QString() },
        { QStringLiteral("lblThemeMenu(10)"), pf(350, 378, 66, 16), QStringLiteral("Internet") },
        { QStringLiteral("lblThemeMenu(7)"), pf(248, 408, 44, 16), QStringLiteral("Sound:") },
        { QStringLiteral("cmbSounds"), pf(294, 406, 118, 20), QString() },
        { QStringLiteral("cmdPlaySound"), pf(248, 432, 164, 20), QStringLiteral("Play Sound") },
        { QStringLiteral("lblThemeView"), pf(444, 32, 160, 28),
            QStringLiteral("Kalvon Theme Browser / v1.0") },
        { QStringLiteral("lblThemeMenu(6)"), pf(444, 64, 160, 16), QStringLiteral("Theme:") },
        { QStringLiteral("cboThemes"), pf(444, 80, 160, 20), QStringLiteral("(editable combo box)") },
        { QStringLiteral("cmdBrowsePreview"), pf(444, 104, 160, 22), QStringLiteral("Browse") },
        { QStringLiteral("cmdGeneratePreview"), pf(444, 128, 160, 22), QStringLiteral("Generate Preview") },
        { QStringLiteral("cmdUseTheme"), pf(444, 152, 160, 22), QStringLiteral("Use This Theme") },
        { QStringLiteral("lblThemeTitle"), pf(444, 184, 160, 15), QStringLiteral("Theme Name: Unknown") },
        { QStringLiteral("lblThemeAuthor"), pf(444, 200, 160, 15), QStringLiteral("Theme Author: Unknown") },
        { QStringLiteral("lblThemeVersion"), pf(444, 216, 160, 15),
            QStringLiteral("Theme Version: Unknown") },
        { QStringLiteral("lblThemeType"), pf(444, 232, 160, 15), QStringLiteral("Theme Type: 0") },
    };
    const char* checks[][2] = { { "chkPreviewBack", "Animate Background" },
        { "chkPreviewInetBG", "Animate Internet Background" },
        { "chkPreviewNext", "Animate Next Piece Window" }, { "chkSpecPreview", "Animate Special Window" },
        { "chkPreviewBlocks", "Animate Blocks" }, { "chkBltBlocks", "Show Blocks on Background" } };
    // Rows of 27: a caption may wrap onto a second line.
    for (int i = 0; i < 6; ++i) {
        const int y = options.rect.top() + 28 + 27 * i;
        page.controls.push_back({ QLatin1String(checks[i][0]), pf(444, y + 2, 13, 13), QString() });
        page.controls.push_back(
            { QStringLiteral("lblThemeMenu(%1)").arg(i), pf(462, y, 146, 26), QLatin1String(checks[i][1]) });
    }
    return page;
}

Page chatPage()
{
    Page page{ QStringLiteral("Chat and room page (CurrentScreen 6)"), QStringLiteral("ifacechat"),
        QStringLiteral("picForm"), {}, {} };
    page.cards = { { { 8, 8, 440, 450 }, QStringLiteral("Chat") },
        { { 456, 8, 160, 152 }, QStringLiteral("Players") },
        { { 456, 166, 160, 100 }, QStringLiteral("Spectators") },
        { { 456, 272, 160, 76 }, QStringLiteral("Team") },
        { { 456, 354, 160, 104 }, QStringLiteral("Game") } };
    page.controls = {
        { QStringLiteral("rtChat"), pf(16, 32, 424, 392),
            QStringLiteral("(also the place of the four panels)") },
        { QStringLiteral("txtChatSend"), pf(16, 430, 424, 22), QString() },
        { QStringLiteral("lstPlayers"), pf(464, 32, 144, 96), QString() },
        { QStringLiteral("cmdJoinGame"), pf(464, 132, 70, 22), QStringLiteral("Join Game") },
        { QStringLiteral("cmdSpectate"), pf(538, 132, 70, 22), QStringLiteral("Spectate") },
        { QStringLiteral("lstSpectators"), pf(464, 190, 144, 70), QString() },
        { QStringLiteral("txtTeam"), pf(464, 296, 144, 20), QString() },
        { QStringLiteral("cmdTeam"), pf(464, 320, 144, 22), QStringLiteral("Set Team") },
        { QStringLiteral("cmdStartGame"), pf(464, 378, 144, 22), QStringLiteral("Start Game") },
        { QStringLiteral("cmdPauseGame"), pf(464, 404, 144, 22), QStringLiteral("Pause Game") },
        { QStringLiteral("cmdRoomBrowser"), pf(464, 430, 144, 22), QStringLiteral("Room Browser") },
    };
    return page;
}

} // namespace

std::vector<Page> backgroundPages()
{
    return { optionsPage(), serverPage(), connectPage(), themesPage(), chatPage() };
}

std::vector<Page> chatPanels()
{
    const QString in = QStringLiteral("the panel (424 x 392, placed where rtChat is)");
    Page options{ QStringLiteral("picChatOptions"), QString(), in, {}, {} };
    options.controls.push_back(
        { QStringLiteral("fraChatColors"), QRect(8, 4, 408, 216), QStringLiteral("Chat Room Colors") });
    const char* captions[16]
        = { "Normal:", "Player Text:", "Team Text:", "Client Text:", "Other Player Text:", "Background:",
              "Action Text:", "Send Message Text:", "Receive Message Text:", "Statistics:", "Good Special:",
              "Bad Special:", "Special User:", "Special Target:", "Vote Text:", "Server Text:" };
    for (int i = 0; i < 16; ++i) {
        const int column = i / 8, row = i % 8;
        options.controls.push_back({ QStringLiteral("lblChatColor(%1)").arg(i),
            QRect(20 + 204 * column, 26 + 23 * row, 130, 16), QLatin1String(captions[i]) });
        options.controls.push_back({ QStringLiteral("lblColor(%1)").arg(i),
            QRect(154 + 204 * column, 25 + 23 * row, 44, 18), QStringLiteral("(swatch)") });
    }
    options.controls.push_back(
        { QStringLiteral("(label)"), QRect(8, 232, 110, 16), QStringLiteral("Chat Room Font:") });
    options.controls.push_back({ QStringLiteral("cmbFonts"), QRect(120, 230, 220, 20), QString() });
    options.controls.push_back(
        { QStringLiteral("cmdChatOptionsOK"), QRect(8, 362, 96, 24), QStringLiteral("OK") });
    options.controls.push_back(
        { QStringLiteral("cmdChatOptionsDefault"), QRect(164, 362, 96, 24), QStringLiteral("Defaults") });
    options.controls.push_back(
        { QStringLiteral("cmdChatOptionsCancel"), QRect(320, 362, 96, 24), QStringLiteral("Cancel") });

    Page rooms{ QStringLiteral("picRoomList"), QString(), in, {}, {} };
    rooms.controls = {
        { QStringLiteral("fraRooms"), QRect(8, 4, 196, 244), QStringLiteral("Rooms - 0") },
        { QStringLiteral("lstRooms"), QRect(16, 22, 180, 188), QString() },
        { QStringLiteral("txtJoinRoom"), QRect(16, 216, 120, 20), QString() },
        { QStringLiteral("cmdJoinRoom"), QRect(140, 215, 56, 22), QStringLiteral("Join") },
        { QStringLiteral("(frame)"), QRect(8, 254, 196, 104), QStringLiteral("Create Room") },
        { QStringLiteral("(label)"), QRect(16, 274, 70, 16), QStringLiteral("Room Name:") },
        { QStringLiteral("txtRoomName"), QRect(88, 272, 108, 20), QString() },
        { QStringLiteral("(label)"), QRect(16, 298, 70, 16), QStringLiteral("Password:") },
        { QStringLiteral("txtPassword"), QRect(88, 296, 108, 20), QString() },
        { QStringLiteral("cmdCreateRoom"), QRect(16, 324, 88, 24), QStringLiteral("Create") },
        { QStringLiteral("cmdMoreOptions"), QRect(108, 324, 88, 24), QStringLiteral("More Options") },
        { QStringLiteral("(frame)"), QRect(212, 4, 204, 354), QStringLiteral("Room Information") },
        { QStringLiteral("lblRoomInfo"), QRect(220, 22, 188, 180), QString() },
        { QStringLiteral("lblRoomInfo2"), QRect(220, 204, 188, 84), QString() },
        { QStringLiteral("(label)"), QRect(220, 290, 188, 16), QStringLiteral("Special Block Occurancy:") },
        { QStringLiteral("lstSpecialOccurancy"), QRect(220, 306, 188, 46), QString() },
        { QStringLiteral("cmdRefreshRooms"), QRect(8, 364, 96, 24), QStringLiteral("Refresh") },
        { QStringLiteral("cmdRoomX"), QRect(320, 364, 96, 24), QStringLiteral("Close") },
    };

    Page vote{ QStringLiteral("picVote"), QString(), in, {}, {} };
    vote.controls = {
        { QStringLiteral("(label)"), QRect(8, 4, 260, 16), QStringLiteral("Game Rule:") },
        { QStringLiteral("lstGameRule"), QRect(8, 22, 260, 362), QString() },
        { QStringLiteral("(label)"), QRect(276, 22, 140, 16), QStringLiteral("Current Value:") },
        { QStringLiteral("txtCurrentSetting"), QRect(276, 40, 140, 20), QString() },
        { QStringLiteral("(label)"), QRect(276, 70, 140, 16), QStringLiteral("Vote For:") },
        { QStringLiteral("cmbRuleSetting"), QRect(276, 88, 140, 20), QString() },
        { QStringLiteral("cmdStartVote"), QRect(276, 330, 140, 24), QStringLiteral("Start Vote") },
        { QStringLiteral("cmdCancelVote"), QRect(276, 360, 140, 24), QStringLiteral("Cancel") },
    };

    Page make{ QStringLiteral("picMakeRoom"), QString(), in, {}, {} };
    make.controls = {
        { QStringLiteral("(label)"), QRect(8, 8, 80, 16), QStringLiteral("Room Name:") },
        { QStringLiteral("txtRoomCreateName"), QRect(92, 6, 130, 20), QString() },
        { QStringLiteral("(label)"), QRect(232, 8, 70, 16), QStringLiteral("Password:") },
        { QStringLiteral("txtRoomCreatePassword"), QRect(306, 6, 110, 20), QString() },
        { QStringLiteral("lstGameCreateSettings"), QRect(8, 34, 260, 320), QString() },
        { QStringLiteral("(label)"), QRect(276, 34, 140, 16), QStringLiteral("Current Value:") },
        { QStringLiteral("txtCurrentCreateSetting"), QRect(276, 52, 140, 20), QString() },
        { QStringLiteral("(label)"), QRect(276, 82, 140, 16), QStringLiteral("New Value:") },
        { QStringLiteral("cmbGameCreateSetting"), QRect(276, 100, 140, 20), QString() },
        { QStringLiteral("cmdChangeSetting"), QRect(276, 126, 140, 24), QStringLiteral("Change") },
        { QStringLiteral("cmdCreateRoomOption"), QRect(8, 362, 120, 24), QStringLiteral("Create Room") },
        { QStringLiteral("cmdCloseRoomCreate"), QRect(296, 362, 120, 24), QStringLiteral("Close") },
    };
    return { options, rooms, vote, make };
}

std::vector<Page> windowFrame()
{
    using namespace layout;
    Page title{ QStringLiteral("Title bar (window coordinates)"), QStringLiteral("ifacemain"),
        QStringLiteral("the window"), {}, {} };
    title.controls = {
        { QStringLiteral("picTitleBar"), QRect(0, 0, kWindowWidth, kTitleBarHeight),
            QStringLiteral("(copy of ifacemain (0,0), 644 x 21)") },
        { QStringLiteral("imgIcon"), kIcon, QStringLiteral("(shows images/icon16.png)") },
        { QStringLiteral("lblCaption"), kCaption, QStringLiteral("Kalvon v1.91") },
        { QStringLiteral("lblMinimize"), kMinimize, QStringLiteral("(hit area over the drawn box)") },
        { QStringLiteral("lblExit"), kExit, QStringLiteral("(hit area over the drawn box)") },
        { QStringLiteral("txtkeys"), QRect(0, 0, 1, 1),
            QStringLiteral("(capture focus holder, outside picForm)") },
        { QStringLiteral("picForm"), QRect(0, kTitleBarHeight, kWindowWidth, kWindowHeight - kTitleBarHeight),
            QStringLiteral("(copy of ifacemain (0,20), 640 x 503)") },
    };

    Page bar{ QStringLiteral("Menu bar and drop-down menus"), QString(), QStringLiteral("picForm"), {}, {} };
    const int top = kMenuBarTop;
    bar.controls = {
        { QStringLiteral("FileButton"), QRect(8, top, kButtonWidth, kButtonHeight),
            QStringLiteral("(all modes)") },
        { QStringLiteral("fieldsbutton"), QRect(88, top, kButtonWidth, kButtonHeight),
            QStringLiteral("(all modes)") },
        { QStringLiteral("OptionsButton"), QRect(168, top, kButtonWidth, kButtonHeight),
            QStringLiteral("(all modes)") },
        { QStringLiteral("ThemeButton"), QRect(248, top, kButtonWidth, kButtonHeight),
            QStringLiteral("(all modes)") },
        { QStringLiteral("HelpButton"), QRect(328, top, kButtonWidth, kButtonHeight),
            QStringLiteral("(modes 1, 2)") },
        { QStringLiteral("Serverbutton"), QRect(328, top, kButtonWidth, kButtonHeight),
            QStringLiteral("(mode 3)") },
        { QStringLiteral("ChatButton"), QRect(408, top, kButtonWidth, kButtonHeight),
            QStringLiteral("(mode 3)") },
        { QStringLiteral("ConnectButton"),
            QRect(kWindowWidth - 8 - kConnectWidth, top, kConnectWidth, kButtonHeight),
            QStringLiteral("(mode 3)") },
        { QStringLiteral("filemenu"), QRect(8, top + kButtonHeight, 149, 163),
            QStringLiteral("(ifacemisc (355,80))") },
        { QStringLiteral("GameModeSubMenu"), QRect(157, top + kButtonHeight + 40, 104, 80),
            QStringLiteral("(ifacemisc (459,0))") },
        { QStringLiteral("HelpMenu"), QRect(328, top + kButtonHeight, 104, 80),
            QStringLiteral("(ifacemisc (355,0))") },
    };

    Page menus{ QStringLiteral("Menu hit areas (relative to their menu)"), QString(),
        QStringLiteral("the menu picture"), {}, {} };
    const char* fileRows[]
        = { "start / stop game", "pause / resume game", "game mode", "high scores", "exit" };
    const int fileY[] = { 7, 35, 67, 97, 139 };
    for (int i = 0; i < 5; ++i)
        menus.controls.push_back({ QStringLiteral("menumarker(%1)").arg(i), QRect(0, fileY[i], 149, 20),
            QStringLiteral("(%1)").arg(QLatin1String(fileRows[i])) });
    menus.controls.push_back(
        { QStringLiteral("menumarker(5)"), QRect(0, 0, 149, 7), QStringLiteral("(acts as 0)") });
    menus.controls.push_back(
        { QStringLiteral("menumarker(6)"), QRect(0, 27, 149, 8), QStringLiteral("(acts as 1)") });
    const char* modes[] = { "one player", "two players", "internet" };
    const int modeY[] = { 0, 27, 56 };
    for (int i = 0; i < 3; ++i)
        menus.controls.push_back({ QStringLiteral("GMmenumarker(%1)").arg(i), QRect(0, modeY[i], 104, 20),
            QStringLiteral("(%1)").arg(QLatin1String(modes[i])) });
    menus.controls.push_back(
        { QStringLiteral("HelpMenuMarker(0)"), QRect(0, 5, 104, 20), QStringLiteral("(help)") });
    menus.controls.push_back(
        { QStringLiteral("HelpMenuMarker(1)"), QRect(0, 48, 104, 20), QStringLiteral("(about)") });

    Page fields{ QStringLiteral("Fields page (CurrentScreen 1)"), QStringLiteral("ifacemain (8,48)"),
        QStringLiteral("picForm"), {}, {} };
    fields.controls.push_back(
        { QStringLiteral("picNextPiece(0)"), kPanel1, QStringLiteral("(modes 1, 2, 3; ifacemisc (0,0))") });
    fields.controls.push_back({ QStringLiteral("lblCliName"), kNameInPanel.translated(kPanel1.topLeft()),
        QStringLiteral("(modes 1, 2, 3; centred, over the panel)") });
    fields.controls.push_back({ QStringLiteral("lblScoreLabel"),
        QRect(kPanel1.left() + 6, kPanel1.top() + kScoreTopInPanel, 40, 13),
        QStringLiteral("Score: (mode 1; over the panel)") });
    fields.controls.push_back(
        { QStringLiteral("lblScore"), QRect(kPanel1.left() + 46, kPanel1.top() + kScoreTopInPanel, 47, 13),
            QStringLiteral("(mode 1; right-aligned, over the panel)") });
    fields.controls.push_back(
        { QStringLiteral("picField(1)"), kField1, QStringLiteral("(modes 1, 2, 3; keyboard focus)") });
    fields.controls.push_back({ QStringLiteral("picLeds(1)"), kLed1, QStringLiteral("(modes 1, 2, 3)") });
    fields.controls.push_back(
        { QStringLiteral("picSpecials(1)"), kSpecials1, QStringLiteral("(modes 1, 2, 3)") });
    fields.controls.push_back(
        { QStringLiteral("lblSpec(1)"), kSpecLabel1, QStringLiteral("(modes 1, 2, 3; centred)") });
    fields.controls.push_back(
        { QStringLiteral("txtTalk"), QRect(kField1.left(), kField1.bottom() - 21, kField1.width(), 20),
            QStringLiteral("(mode 3, while talking)") });
    fields.controls.push_back(
        { QStringLiteral("rtSpecials"), kSpecialsLog, QStringLiteral("(modes 1, 2, 3)") });
    fields.controls.push_back({ QStringLiteral("picField(2)"), kField2, QStringLiteral("(modes 1, 2)") });
    fields.controls.push_back({ QStringLiteral("picLeds(2)"), kLed2, QStringLiteral("(modes 1, 2)") });
    fields.controls.push_back(
        { QStringLiteral("picSpecials(2)"), kSpecials2, QStringLiteral("(modes 1, 2)") });
    fields.controls.push_back(
        { QStringLiteral("lblSpec(2)"), kSpecLabel2, QStringLiteral("(modes 1, 2; centred)") });
    fields.controls.push_back(
        { QStringLiteral("picNextPiece(4)"), kPanel2, QStringLiteral("(mode 2; ifacemisc (99,0))") });
    fields.controls.push_back({ QStringLiteral("lblPlayer2"), kNameInPanel.translated(kPanel2.topLeft()),
        QStringLiteral("(modes 1, 2; centred, over the panel)") });
    fields.controls.push_back({ QStringLiteral("(ifaceinet backdrop)"), kInetBackdrop,
        QStringLiteral("(mode 3; drawn into picForm)") });
    for (int i = 0; i < 5; ++i) {
        const QPoint b = kBoards[i];
        fields.controls.push_back({ QStringLiteral("lblInetName(%1)").arg(i + 1),
            QRect(b.x(), b.y() - kBoardNameOffset, kBoardWidth, 14), QStringLiteral("(mode 3; centred)") });
        fields.controls.push_back({ QStringLiteral("picInternetfield(%1)").arg(i + 1),
            QRect(b, QSize(kBoardWidth, kBoardHeight)), QStringLiteral("(mode 3)") });
    }

    Page panel{ QStringLiteral(
                    "Side panel children (relative to picNextPiece(0) for p = 1, picNextPiece(4) for p = 2)"),
        QStringLiteral("ifacemisc (0,0) / (99,0)"), QStringLiteral("the side panel"), {}, {} };
    panel.controls.push_back(
        { QStringLiteral("picNextPiece(p)"), kNextInPanel, QStringLiteral("(next-piece window)") });
    const char* stats[][2] = { { "lblLevel(p)", "Level: 1" }, { "lblActiveLevel(p)", "Active Level: 1" },
        { "lblLines(p)", "Lines: 0" }, { "lblQuads(p)", "Quads: 0" }, { "lblLPM(p)", "(lines per minute)" } };
    for (int i = 0; i < 5; ++i)
        panel.controls.push_back({ QLatin1String(stats[i][0]),
            QRect(6, kStatsTopInPanel + kStatsRowHeight * i, 87, 13), QLatin1String(stats[i][1]) });
    return { title, bar, menus, fields, panel };
}

} // namespace kalvon::themegen

namespace kalvon::themegen {

QString layoutTables()
{
    QString out;
    auto table = [&out](const Page& page) {
        out += QStringLiteral("### %1\n\n").arg(page.title);
        out += QStringLiteral("Rectangles relative to %1").arg(page.container);
        if (!page.background.isEmpty())
            out += QStringLiteral("; background: %1").arg(page.background);
        out += QStringLiteral(".\n\n");
        if (!page.cards.empty()) {
            out += QStringLiteral("Cards drawn into the background (page-background coordinates): ");
            QStringList cards;
            for (const Card& c : page.cards)
                cards << QStringLiteral("%1 (%2, %3, %4 x %5)")
                             .arg(c.title)
                             .arg(c.rect.x())
                             .arg(c.rect.y())
                             .arg(c.rect.width())
                             .arg(c.rect.height());
            out += cards.join(QStringLiteral("; ")) + QStringLiteral(".\n\n");
        }
        out += QStringLiteral("| Control | x | y | w | h | Design-time text; notes in parentheses "
                              "|\n|---|---:|---:|---:|---:|---|\n");
        for (const ControlBox& c : page.controls)
            out += QStringLiteral("| `%1` | %2 | %3 | %4 | %5 | %6 |\n")
                       .arg(c.name)
                       .arg(c.rect.x())
                       .arg(c.rect.y())
                       .arg(c.rect.width())
                       .arg(c.rect.height())
                       .arg(c.caption);
        out += QLatin1Char('\n');
    };
    for (const Page& p : windowFrame())
        table(p);
    for (const Page& p : backgroundPages())
        table(p);
    for (const Page& p : chatPanels())
        table(p);
    return out;
}

} // namespace kalvon::themegen
