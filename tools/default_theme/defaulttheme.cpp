#include "defaulttheme.h"

#include "audio.h"
#include "blocks.h"
#include "effects.h"
#include "extras.h"
#include "fieldart.h"
#include "iface.h"
#include "pages.h"
#include "paint.h"
#include "themefile.h"

namespace kalvon::themegen {

namespace {

const QString kPng = QStringLiteral("png");

FrameSetKeys frameSet(const QString& name, int frames, int delay)
{
    FrameSetKeys s;
    s.animated = true;
    s.filename = name;
    s.extension = kPng;
    s.frameCount = frames;
    s.delay = delay;
    return s;
}

ThemeFile description()
{
    ThemeFile t;
    t.name = QStringLiteral("Kalvon");
    t.developer = QStringLiteral("The Kalvon Project");
    t.version = QStringLiteral("1.0");
    t.description = QStringLiteral("The default theme: a dark steel-blue window with cyan and amber lights.");
    t.resourceFile = QStringLiteral("default.zip");
    t.interfaceImages = {{QStringLiteral("ifacemain"), QStringLiteral("ifacemain.png")},
                         {QStringLiteral("ifaceoptions"), QStringLiteral("ifaceoptions.png")},
                         {QStringLiteral("ifacechat"), QStringLiteral("ifacechat.png")},
                         {QStringLiteral("ifaceconnect"), QStringLiteral("ifaceconnect.png")},
                         {QStringLiteral("ifaceserver"), QStringLiteral("ifaceserver.png")},
                         {QStringLiteral("ifacethemes"), QStringLiteral("ifacethemes.png")},
                         {QStringLiteral("ifacemisc"), QStringLiteral("ifacemisc.png")},
                         {QStringLiteral("ifacehighscore"), QStringLiteral("ifacehighscore.png")},
                         {QStringLiteral("ifaceinet"), QStringLiteral("ifaceinet.png")},
                         {QStringLiteral("ifacemenu"), QStringLiteral("ifacemenu.png")}};
    t.menuTransparent = true;
    t.background = frameSet(QStringLiteral("bg"), kBackgroundFrames, 250);
    t.internetBackground = frameSet(QStringLiteral("inetbg"), kBackgroundFrames, 250);
    t.specialWindow = frameSet(QStringLiteral("specialwindow"), kWindowFrames, 120);
    t.nextBlock = frameSet(QStringLiteral("nextblk"), kWindowFrames, 150);
    t.blocks.animateBlocks = true;
    t.blocks.animateSpecials = true;
    t.blocks.animateInetBlocks = false;
    t.blocks.animateInetSpecials = true;
    t.blocks.transparency = false;
    t.blocks.filename = QStringLiteral("blk");
    t.blocks.extension = kPng;
    t.blocks.frameCount = kBlockFrames;
    t.blocks.delay = 100;
    t.explosion = {true, QStringLiteral("explode"), kPng, kExplosionFrames, 40};
    t.bomb = {true, QStringLiteral("bomb"), kPng, kBombFrames, 30};
    t.miscImages = {{QStringLiteral("door1"), QStringLiteral("door1.png")},
                    {QStringLiteral("door2"), QStringLiteral("door2.png")},
                    {QStringLiteral("internetdoor"), QStringLiteral("internetdoor.png")},
                    {QStringLiteral("winimg"), QStringLiteral("win.png")},
                    {QStringLiteral("wintransparent"), QStringLiteral("1")},
                    {QStringLiteral("inetwinimg"), QStringLiteral("inetwin.png")},
                    {QStringLiteral("inetwintransparent"), QStringLiteral("1")},
                    {QStringLiteral("heightled"), QStringLiteral("heightled.png")},
                    {QStringLiteral("warning"), QStringLiteral("warning.png")},
                    {QStringLiteral("teamfont"), QStringLiteral("teamfont.png")}};
    t.colors = {{QStringLiteral("colortitle"), QStringLiteral("224,231,243")},
                {QStringLiteral("colorfields"), QStringLiteral("210,222,240")},
                {QStringLiteral("coloroptions"), QStringLiteral("210,222,240")},
                {QStringLiteral("colortheme"), QStringLiteral("210,222,240")},
                {QStringLiteral("colorserver"), QStringLiteral("210,222,240")},
                {QStringLiteral("colorconnect"), QStringLiteral("210,222,240")},
                {QStringLiteral("colorinternet"), QStringLiteral("150,220,255")},
                {QStringLiteral("colorhighscoretitle"), QStringLiteral("255,200,90")},
                {QStringLiteral("colorhighscorenormal"), QStringLiteral("190,200,220")},
                {QStringLiteral("colorhighscorefirst"), QStringLiteral("255,215,0")},
                {QStringLiteral("colorhighscoresecond"), QStringLiteral("200,210,225")},
                {QStringLiteral("colorhighscorethird"), QStringLiteral("215,140,80")}};
    t.music = QStringLiteral("music.ogg");
    for (const SoundFile& s : effectSounds())
        t.sounds.push_back({s.key, s.file});
    return t;
}

// A frame set's files: name1.png, name2.png, ...
void addFrames(std::vector<ArchiveMember>& members, const QString& name, int count, QImage (*frame)(int))
{
    for (int i = 0; i < count; ++i)
        members.push_back({QStringLiteral("%1%2.png").arg(name).arg(i + 1), pngBytes(frame(i)), false});
}

} // namespace

std::vector<ArchiveMember> themeArchiveMembers()
{
    std::vector<ArchiveMember> m;
    auto image = [&m](const QString& name, const QImage& picture) { m.push_back({name, pngBytes(picture), false}); };
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
        m.push_back({s.file, s.bytes, true});
    m.push_back({QStringLiteral("music.ogg"), musicOgg(), false});
    return m;
}

Bytes defaultThemeFile() { return themeFileText(description()); }

std::vector<NamedFile> builtinImages()
{
    std::vector<NamedFile> files;
    auto add = [&files](const QString& name, const QImage& image) {
        files.push_back({QStringLiteral("images/") + name, pngBytes(image)});
    };
    for (int size : {16, 22, 32, 48})
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
