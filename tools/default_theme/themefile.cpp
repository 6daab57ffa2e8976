#include "themefile.h"

namespace kalvon::themegen {

Bytes themeFileText(const ThemeFile& t)
{
    Bytes out;
    auto line = [&out](const QString& text) {
        out += text.toLatin1().toStdString();
        out += "\r\n";
    };
    auto key = [&line](const QString& k, const QString& v) { line(k + QLatin1Char('=') + v); };
    auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    auto num = [](int n) { return QString::number(n); };
    auto yesNo = [](bool on) { return on ? QStringLiteral("Yes") : QStringLiteral("No"); };
    auto group = [&line](const QString& title) {
        line(QStringLiteral(" "));
        line(title);
    };
    auto frameSet = [&](const QString& prefix, const FrameSetKeys& s) {
        key(prefix + QLatin1String("animated"), flag(s.animated));
        key(prefix + QLatin1String("filename"), s.filename);
        key(prefix + QLatin1String("extension"), s.extension);
        key(prefix + QLatin1String("framecount"), num(s.frameCount));
        key(prefix + QLatin1String("startingframe"), num(s.startingFrame));
        key(prefix + QLatin1String("stillframe"), num(s.stillFrame));
        key(prefix + QLatin1String("reverseanimation"), flag(s.reverse));
        key(prefix + QLatin1String("delaybetweenframes"), num(s.delay));
    };
    // The two effect sets write their transparency in the numeric print form: "= 1 ".
    auto effectSet = [&](const QString& trans, const QString& file, const QString& ext, const QString& count,
                         const QString& delay, const EffectSetKeys& s) {
        line(trans + QStringLiteral("= ") + flag(s.transparency) + QLatin1Char(' '));
        key(file, s.filename);
        key(ext, s.extension);
        key(count, num(s.frameCount));
        key(delay, num(s.delay));
    };

    // Header: the trademark sign is the single byte 0x99.
    out += "//Kalvon Theme File - Created by Kalvon Theme Maker";
    out += byteChar(0x99);
    out += "\r\n";
    // The description block the editor generates for these contents, then its own line end.
    const QString rule = QStringLiteral("//---------------------------");
    line(QStringLiteral("//Theme Name: ") + t.name);
    line(QStringLiteral("//Developer: ") + t.developer);
    line(QStringLiteral("//Version: ") + t.version);
    line(QStringLiteral("//Theme Type: 1"));
    line(rule);
    line(QStringLiteral("//") + t.description);
    line(rule);
    line(QStringLiteral("//Theme Contents:"));
    line(QStringLiteral("//Interface: Yes"));
    line(QStringLiteral("//Background: Yes"));
    line(QStringLiteral("//Background Animated: ") + yesNo(t.background.animated));
    line(QStringLiteral("//Internet Background: Yes"));
    line(QStringLiteral("//Internet Background Animated: ") + yesNo(t.internetBackground.animated));
    line(QStringLiteral("//Blocks: Yes"));
    line(QStringLiteral("//Animated Blocks: ") + yesNo(t.blocks.animateBlocks));
    line(QStringLiteral("//Animated Specials: ") + yesNo(t.blocks.animateSpecials));
    line(QStringLiteral("//Animated Internet Blocks: ") + yesNo(t.blocks.animateInetBlocks));
    line(QStringLiteral("//Animated Internet Specials: ") + yesNo(t.blocks.animateInetSpecials));
    line(QStringLiteral("//Next Window: Yes"));
    line(QStringLiteral("//Special Window: Yes"));
    line(QStringLiteral("//Explosion: Yes"));
    line(QStringLiteral("//Block Bomb: Yes"));
    const char* miscLines[][2] = {{"//Game Door: ", "door2"},         {"//Internet Door: ", "internetdoor"},
                                  {"//Win Game Image: ", "winimg"},   {"//Internet Win Game Image: ", "inetwinimg"},
                                  {"//Height Led: ", "heightled"},    {"//Warning Image: ", "warning"},
                                  {"//Team Font: ", "teamfont"}};
    for (const auto& m : miscLines) {
        bool present = false;
        for (const auto& kv : t.miscImages)
            present = present || kv.first == QLatin1String(m[1]);
        line(QLatin1String(m[0]) + yesNo(present));
    }
    line(QStringLiteral("//Colors: Yes"));
    line(QStringLiteral("//Sounds: Yes"));
    line(QStringLiteral("//Music: Yes"));
    line(rule);
    line(QString());

    line(QStringLiteral(" "));
    line(QStringLiteral("[Theme Info]"));
    key(QStringLiteral("name"), t.name.isEmpty() ? QStringLiteral("Unknown") : t.name);
    key(QStringLiteral("developer"), t.developer.isEmpty() ? QStringLiteral("Unknown") : t.developer);
    key(QStringLiteral("version"), t.version.isEmpty() ? QStringLiteral("Unknown") : t.version);
    key(QStringLiteral("resourcefile"), t.resourceFile);
    line(QStringLiteral("themetype=1"));
    line(QStringLiteral(" "));
    group(QStringLiteral("//Graphical User Interface"));
    for (const auto& [k, v] : t.interfaceImages) {
        key(k, v);
        if (k == QLatin1String("ifacemenu"))
            key(QStringLiteral("ifacemenutransparent"), flag(t.menuTransparent));
    }
    line(QStringLiteral("//-----------------"));
    line(QStringLiteral("//Theme Type 1 Info"));
    line(QStringLiteral("//-----------------"));
    group(QStringLiteral("//Background"));
    frameSet(QStringLiteral("bg"), t.background);
    group(QStringLiteral("//Blocks"));
    key(QStringLiteral("animateblocks"), flag(t.blocks.animateBlocks));
    key(QStringLiteral("animatespecials"), flag(t.blocks.animateSpecials));
    key(QStringLiteral("animateinetblocks"), flag(t.blocks.animateInetBlocks));
    key(QStringLiteral("animateinetspecials"), flag(t.blocks.animateInetSpecials));
    key(QStringLiteral("blktransparency"), flag(t.blocks.transparency));
    key(QStringLiteral("blkfilename"), t.blocks.filename);
    key(QStringLiteral("blkextension"), t.blocks.extension);
    key(QStringLiteral("blkframecount"), num(t.blocks.frameCount));
    key(QStringLiteral("blkstartingframe"), num(t.blocks.startingFrame));
    key(QStringLiteral("blkstillframe"), num(t.blocks.stillFrame));
    key(QStringLiteral("blkreverseanimation"), flag(t.blocks.reverse));
    key(QStringLiteral("blkdelaybetweenframes"), num(t.blocks.delay));
    group(QStringLiteral("//Internet Background"));
    frameSet(QStringLiteral("inetbg"), t.internetBackground);
    group(QStringLiteral("//Special Window"));
    frameSet(QStringLiteral("specialwindow"), t.specialWindow);
    group(QStringLiteral("//Next Block Window"));
    frameSet(QStringLiteral("nextblk"), t.nextBlock);
    group(QStringLiteral("//Block Explosion"));
    effectSet(QStringLiteral("explodetransparency"), QStringLiteral("explodefilename"),
              QStringLiteral("explodefileextension"), QStringLiteral("explodeframecount"),
              QStringLiteral("explodedelaybetweenframes"), t.explosion);
    group(QStringLiteral("//Block Bomb"));
    effectSet(QStringLiteral("Bombtransparency"), QStringLiteral("Bombfilename"), QStringLiteral("bombfileextension"),
              QStringLiteral("Bombframecount"), QStringLiteral("Bombdelaybetweenframes"), t.bomb);
    group(QStringLiteral("//Miscellaneous Images"));
    for (const auto& [k, v] : t.miscImages)
        key(k, v);
    group(QStringLiteral("//Colors"));
    for (const auto& [k, v] : t.colors)
        key(k, v);
    group(QStringLiteral("//Music"));
    if (!t.music.isEmpty())
        key(QStringLiteral("midi"), t.music);
    group(QStringLiteral("//Sounds"));
    for (const auto& [k, v] : t.sounds)
        key(k, v);
    return out;
}

} // namespace kalvon::themegen
