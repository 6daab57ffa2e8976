#include "defaulttheme.h"

#include "audio.h"
#include "blocks.h"
#include "editor/model/controls.h"
#include "editor/model/description.h"
#include "editor/model/editorstate.h"
#include "editor/model/themewriter.h"
#include "effects.h"
#include "extras.h"
#include "fieldart.h"
#include "iface.h"
#include "pages.h"
#include "paint.h"

namespace kalvon::themegen {

namespace {

using editor::EditorState;
using editor::elementName;

const Bytes kPng = "png";

void setText(EditorState& s, BytesView control, const QString& value)
{
    s.setText(control, value.toLatin1().toStdString());
}
void setNumber(EditorState& s, BytesView control, int value)
{
    s.setText(control, std::to_string(value));
}

// A type-1 frame set's boxes: prefix "BG", "IBG", "SW", "Next".
void frameSet(EditorState& s, const std::string& prefix, const std::string& file, int frames, int delay)
{
    s.setValue("chk" + prefix + "Ani", 1);
    s.setText("txt" + prefix + "Root", file);
    s.setText("txt" + prefix + "Ext", kPng);
    setNumber(s, "txt" + prefix + "Num", frames);
    setNumber(s, "txt" + prefix + "Start", 1);
    setNumber(s, "txt" + prefix + "Still", 1);
    s.setValue("chk" + prefix + "Reverse", 0);
    setNumber(s, "txt" + prefix + "Delay", delay);
}

// The explosion or bomb set's boxes: part "Explosion" or "Bomb", drawn with white transparent.
void effectSet(EditorState& s, const std::string& part, const std::string& file, int frames, int delay)
{
    s.setValue("chk" + part, 1);
    s.setValue("chk" + part + "Trans", 1);
    s.setText("txt" + part + "Root", file);
    s.setText("txt" + part + "Ext", kPng);
    setNumber(s, "txt" + part + "Num", frames);
    setNumber(s, "txt" + part + "Delay", delay);
}

// The theme as the theme editor would hold it, every part included.
EditorState editorTheme()
{
    EditorState s;
    s.setListIndex("cmbType", 1);
    s.setText("txtThemeName", "Kalvon");
    s.setText("txtAuthor", "The Kalvon Project");
    s.setText("txtVersion", "1.0");
    s.setText("txtResource", "default.zip");

    s.setValue("chkIface", 1);
    const char* interfaceBoxes[][2]
        = { { "txtIMain", "ifacemain.png" }, { "txtIOptions", "ifaceoptions.png" },
              { "txtIChat", "ifacechat.png" }, { "txtIClient", "ifaceconnect.png" },
              { "txtIServer", "ifaceserver.png" }, { "txtITheme", "ifacethemes.png" },
              { "txtIMisc", "ifacemisc.png" }, { "txtIHighScore", "ifacehighscore.png" },
              { "txtIInternet", "ifaceinet.png" }, { "txtIMenu", "ifacemenu.png" } };
    for (const auto& box : interfaceBoxes)
        s.setText(box[0], box[1]);
    s.setValue("chkIMenuTransparent", 1);

    s.setValue("chkBG", 1);
    frameSet(s, "BG", "bg", kBackgroundFrames, 250);
    s.setValue("chkIBG", 1);
    frameSet(s, "IBG", "inetbg", kBackgroundFrames, 250);
    s.setValue("chkSW", 1);
    frameSet(s, "SW", "specialwindow", kWindowFrames, 120);
    s.setValue("chkNext", 1);
    frameSet(s, "Next", "nextblk", kWindowFrames, 150);

    s.setValue("chkBlk", 1);
    s.setValue("chkBlkAni", 1);
    s.setValue("chkSpecAni", 1);
    s.setValue("chkInetBlkAni", 0);
    s.setValue("chkInetSpecAni", 1);
    s.setValue("chkBlkTrans", 0);
    s.setText("txtBlkRoot", "blk");
    s.setText("txtBlkExt", kPng);
    setNumber(s, "txtBlkNum", kBlockFrames);
    setNumber(s, "txtBlkStartImage", 1);
    setNumber(s, "txtBlkStill", 1);
    s.setValue("chkBlkReverse", 0);
    setNumber(s, "txtBlkDelay", 100);

    effectSet(s, "Explosion", "explode", kExplosionFrames, 40);
    effectSet(s, "Bomb", "bomb", kBombFrames, 30);

    s.setValue("chkMImg", 1);
    const char* miscImages[editor::kMiscImageCount] = { "door1.png", "door2.png", "internetdoor.png",
        "win.png", "inetwin.png", "heightled.png", "warning.png", "teamfont.png" };
    for (int i = 0; i < editor::kMiscImageCount; ++i)
        s.setText(elementName("txtMiscImage", i), miscImages[i]);
    s.setValue("chkWinTrans", 1);
    s.setValue("chkWinInetTrans", 1);

    // Title, fields, options, theme, server, connect, internet, then the high-score rows:
    // title, normal, first, second, third.
    const char* colors[editor::kColorCount]
        = { "224,231,243", "210,222,240", "210,222,240", "210,222,240", "210,222,240", "210,222,240",
              "150,220,255", "255,200,90", "190,200,220", "255,215,0", "200,210,225", "215,140,80" };
    s.setValue("chkColor", 1);
    for (int i = 0; i < editor::kColorCount; ++i)
        s.setText(elementName("txtColor", i), colors[i]);

    s.setValue("chkMusic", 1);
    s.setText("txtMusic", "music.ogg");
    s.setValue("chkSounds", 1);
    const std::pair<const char*, const char*> soundBoxes[]
        = { { "txtStart", "startgame" }, { "txtRotate", "rotate" }, { "txtDrop", "drop" },
              { "txtLine", "lineclear" }, { "txtQuadSound", "quad" }, { "txtExplosionSound", "explode" },
              { "txtWinGame", "win" }, { "txtLose", "lose" }, { "txtChatSound", "chat" },
              { "txtClick", "click" }, { "txtShieldSound", "holyshield" } };
    for (const SoundFile& sound : effectSounds())
        for (const auto& [box, key] : soundBoxes)
            if (sound.key == QLatin1String(key))
                setText(s, box, sound.file);

    // The editor's generated description with our own line in place of its placeholder.
    Bytes description = editor::DescriptionText(s);
    const Bytes placeholder = "//!!!!ENTER YOUR DESCRIPTION HERE!!!!";
    description.replace(description.find(placeholder), placeholder.size(),
        "//The default theme: a dark steel-blue window with cyan and amber lights.");
    s.setText("txtDescription", description);
    return s;
}

// A frame set's files: name1.png, name2.png, ...
void addFrames(std::vector<ArchiveMember>& members, const QString& name, int count, QImage (*frame)(int))
{
    for (int i = 0; i < count; ++i)
        members.push_back({ QStringLiteral("%1%2.png").arg(name).arg(i + 1), pngBytes(frame(i)), false });
}

} // namespace

std::vector<ArchiveMember> themeArchiveMembers()
{
    std::vector<ArchiveMember> m;
    auto image = [&m](const QString& name, const QImage& picture) {
        m.push_back({ name, pngBytes(picture), false });
    };
    image(QStringLiteral("ifacemain.png"), ifaceMain());
    const std::vector<Page> pages = backgroundPages();
    for (const Page& page : pages)
        image(page.background + QStringLiteral(".png"), pageBackground(page));
    image(QStringLiteral("ifaceinet.png"), ifaceInet());
    image(QStringLiteral("ifacemisc.png"), ifaceMisc());
    image(QStringLiteral("ifacemenu.png"), ifaceMenu());
    image(QStringLiteral("ifacehighscore.png"), highScoreBackground());
    addFrames(m, QStringLiteral("bg"), kBackgroundFrames, fieldBackground);
    addFrames(m, QStringLiteral("inetbg"), kBackgroundFrames, internetBackground);
    addFrames(m, QStringLiteral("blk"), kBlockFrames, blockSheetFrame);
    addFrames(m, QStringLiteral("nextblk"), kWindowFrames, nextPieceWindow);
    addFrames(m, QStringLiteral("specialwindow"), kWindowFrames, specialWindow);
    addFrames(m, QStringLiteral("explode"), kExplosionFrames, explosionFrame);
    addFrames(m, QStringLiteral("bomb"), kBombFrames, bombFrame);
    image(QStringLiteral("door1.png"), fieldDoor(true));
    image(QStringLiteral("door2.png"), fieldDoor(false));
    image(QStringLiteral("internetdoor.png"), internetDoor());
    image(QStringLiteral("win.png"), winImage());
    image(QStringLiteral("inetwin.png"), internetWinImage());
    image(QStringLiteral("heightled.png"), heightLed());
    image(QStringLiteral("warning.png"), warningImage());
    image(QStringLiteral("teamfont.png"), teamFont());
    for (const SoundFile& s : effectSounds())
        m.push_back({ s.file, s.bytes, true });
    m.push_back({ QStringLiteral("music.ogg"), musicOgg(), false });
    return m;
}

Bytes defaultThemeFile()
{
    return editor::ThemeFileBytes(editorTheme()).value_or(Bytes());
}

std::vector<NamedFile> builtinImages()
{
    std::vector<NamedFile> files;
    auto add = [&files](const QString& name, const QImage& image) {
        files.push_back({ QStringLiteral("images/") + name, pngBytes(image) });
    };
    for (int size : { 16, 22, 32, 48 })
        add(QStringLiteral("icon%1.png").arg(size), programIcon(size));
    add(QStringLiteral("splash.png"), splashImage(QStringLiteral("MULTIPLAYER BLOCK PUZZLE")));
    add(QStringLiteral("loadingbar.png"), loadingBar());
    add(QStringLiteral("about.png"), aboutImage());
    for (int i = 0; i < 7; ++i) {
        add(QStringLiteral("special16_%1.png").arg(i), builtinSpecialIcon(i, 16));
        add(QStringLiteral("special8_%1.png").arg(i), builtinSpecialIcon(i, 8));
    }
    add(QStringLiteral("editor_splash.png"), splashImage(QStringLiteral("THEME MAKER")));
    for (int tab = 0; tab < kEditorTabs; ++tab)
        add(QStringLiteral("editor_tab%1.png").arg(tab), editorTabIcon(tab));
    return files;
}

} // namespace kalvon::themegen
