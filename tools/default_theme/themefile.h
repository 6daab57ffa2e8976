#pragma once
// The default theme's .kvx text, in the layout the theme editor writes for a type-1 theme with
// every part included: Windows-1252 bytes, CR LF line ends, the header line ending in the
// trademark byte 0x99, the description block, then [Theme Info] with its groups in order.

#include "common/bytes.h"

#include <QString>

#include <utility>
#include <vector>

namespace kalvon::themegen {

struct FrameSetKeys {
    bool animated = false;
    QString filename;
    QString extension;
    int frameCount = 1;
    int startingFrame = 1;
    int stillFrame = 1;
    bool reverse = false;
    int delay = 10;
};

struct BlockSetKeys {
    bool animateBlocks = false;
    bool animateSpecials = false;
    bool animateInetBlocks = false;
    bool animateInetSpecials = false;
    bool transparency = false;
    QString filename;
    QString extension;
    int frameCount = 1;
    int startingFrame = 1;
    int stillFrame = 1;
    bool reverse = false;
    int delay = 10;
};

struct EffectSetKeys {
    bool transparency = true;
    QString filename;
    QString extension;
    int frameCount = 1;
    int delay = 10;
};

using KeyValues = std::vector<std::pair<QString, QString>>;

struct ThemeFile {
    QString name;
    QString developer;
    QString version;
    QString description; // the author's line of the description block
    QString resourceFile;
    KeyValues interfaceImages; // ifacemain .. ifacemenu, in the editor's order
    bool menuTransparent = false;
    FrameSetKeys background, internetBackground, specialWindow, nextBlock;
    BlockSetKeys blocks;
    EffectSetKeys explosion, bomb;
    KeyValues miscImages; // door1 .. teamfont, with wintransparent/inetwintransparent after their images
    KeyValues colors;     // the twelve colour keys in the editor's order, values "r,g,b"
    QString music;
    KeyValues sounds;     // in the editor's order
};

Bytes themeFileText(const ThemeFile& theme);

} // namespace kalvon::themegen
