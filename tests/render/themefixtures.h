#pragma once
// Theme fixtures made inside the tests: theme files from a list of keys, and one-colour
// pictures as BMP bytes.

#include "common/bytes.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kalvon::testing {

// A picture of one colour, with an optional white rectangle (the transparent colour) at its
// top left, as a BMP file.
inline Bytes bmpBytes(int width, int height, QRgb color, int whiteWidth = 0, int whiteHeight = 0)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    for (int y = 0; y < std::min(whiteHeight, height); ++y) {
        for (int x = 0; x < std::min(whiteWidth, width); ++x)
            image.setPixel(x, y, 0xffffffff);
    }
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, "BMP");
    return bytes.toStdString();
}

// The keys of a theme file, in order; written as the editor writes it (CR LF, one section).
class ThemeKeys {
public:
    ThemeKeys(std::initializer_list<std::pair<std::string, std::string>> keys)
        : m_keys(keys)
    {
    }

    // Sets the value of `key` (added at the end when missing); nothing removes the key.
    ThemeKeys& set(const std::string& key, std::optional<std::string> value)
    {
        auto found = std::find_if(
            m_keys.begin(), m_keys.end(), [&](const auto& entry) { return entry.first == key; });
        if (!value) {
            if (found != m_keys.end())
                m_keys.erase(found);
        } else if (found != m_keys.end()) {
            found->second = *value;
        } else {
            m_keys.emplace_back(key, *value);
        }
        return *this;
    }

    Bytes text() const
    {
        Bytes text = "//Kalvon Theme File\r\n[Theme Info]\r\n";
        for (const auto& [key, value] : m_keys)
            text += key + "=" + value + "\r\n";
        return text;
    }

private:
    std::vector<std::pair<std::string, std::string>> m_keys;
};

// A complete type-1 theme whose archive is "default.zip". Every value is distinct, so a test
// sees where each one went.
inline ThemeKeys typeOneThemeKeys()
{
    return {
        { "name", "Th\xE8me One" },
        { "developer", "Ann" },
        { "version", "1.5" },
        { "resourcefile", "default.zip" },
        { "themetype", "1" },
        { "ifacemain", "main.bmp" },
        { "ifaceoptions", "options.bmp" },
        { "ifacechat", "chat.bmp" },
        { "ifaceconnect", "connect.bmp" },
        { "ifaceserver", "server.bmp" },
        { "ifacethemes", "themes.bmp" },
        { "ifacemisc", "misc.bmp" },
        { "ifacehighscore", "scores.bmp" },
        { "ifacemenu", "menu.bmp" },
        { "ifacemenutransparent", "1" },
        { "ifaceinet", "inet.bmp" },
        { "bganimated", "1" },
        { "bgfilename", "bg" },
        { "bgextension", "bmp" },
        { "bgframecount", "3" },
        { "bgstartingframe", "2" },
        { "bgstillframe", "1" },
        { "bgreverseanimation", "1" },
        { "bgdelaybetweenframes", "100000" },
        { "specialwindowanimated", "0" },
        { "specialwindowfilename", "spw" },
        { "specialwindowextension", "bmp" },
        { "specialwindowframecount", "2" },
        { "specialwindowstartingframe", "1" },
        { "specialwindowstillframe", "2" },
        { "specialwindowdelaybetweenframes", "70" },
        { "specialwindowreverseanimation", "0" },
        { "inetbganimated", "1" },
        { "inetbgfilename", "ibg" },
        { "inetbgextension", "bmp" },
        { "inetbgframecount", "2" },
        { "inetbgstartingframe", "2" },
        { "inetbgstillframe", "1" },
        { "inetbgreverseanimation", "0" },
        { "inetbgdelaybetweenframes", "90" },
        { "animateblocks", "1" },
        { "animatespecials", "0" },
        { "animateinetblocks", "-1" },
        { "animateinetspecials", "0" },
        { "blkfilename", "blk" },
        { "blkextension", "bmp" },
        { "blkframecount", "2" },
        { "blkstartingframe", "2" },
        { "blkstillframe", "1" },
        { "blkreverseanimation", "0" },
        { "blkdelaybetweenframes", "40" },
        { "blktransparency", "1" },
        { "nextblkanimated", "0" },
        { "nextblkfilename", "next" },
        { "nextblkextension", "bmp" },
        { "nextblkframecount", "2" },
        { "nextblkstartingframe", "1" },
        { "nextblkstillframe", "2" },
        { "nextblkreverseanimation", "1" },
        { "nextblkdelaybetweenframes", "60" },
        { "explodefilename", "ex" },
        { "explodefileextension", "bmp" },
        { "explodeframecount", "4" },
        { "explodedelaybetweenframes", "30" },
        { "explodetransparency", "0" },
        { "Bombfilename", "bomb" },
        { "Bombfileextension", "bmp" },
        { "Bombframecount", "17" },
        { "Bombdelaybetweenframes", "20" },
        { "Bombtransparency", "1" },
        { "heightled", "led.bmp" },
        { "door1", "door1.bmp" },
        { "door2", "door2.bmp" },
        { "internetdoor", "idoor.bmp" },
        { "warning", "warn.bmp" },
        { "teamfont", "font.bmp" },
        { "winimg", "win.bmp" },
        { "wintransparent", "1" },
        { "inetwinimg", "iwin.bmp" },
        { "inetwintransparent", "1" },
        { "colortitle", "1,0,0" },
        { "colorfields", "2,0,0" },
        { "coloroptions", "3,0,0" },
        { "colortheme", "4,0,0" },
        { "colorserver", "5,0,0" },
        { "colorconnect", "6,0,0" },
        { "colorinternet", "7,0,0" },
        { "colorhighscorefirst", "8,0,0" },
        { "colorhighscoresecond", "9,0,0" },
        { "colorhighscorethird", "10,0,0" },
        { "colorhighscorenormal", "11,0,0" },
        { "colorhighscoretitle", "12,0,0" },
        { "midi", "music.ogg" },
        { "startgame", "start.wav" },
        { "rotate", "rotate.wav" },
        { "drop", "drop.wav" },
        { "lineclear", "line.wav" },
        { "explode", "boom.wav" },
        { "quad", "quad.wav" },
        { "win", "win.wav" },
        { "lose", "lose.wav" },
        { "chat", "chat.wav" },
        { "click", "click.wav" },
        { "holyshield", "shield.wav" },
    };
}

} // namespace kalvon::testing
