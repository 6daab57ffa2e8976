#pragma once
// A TNP theme made in the tests. Its bitmap is position-coded: every pixel names its own
// coordinates, so a pixel of an imported skin tells where in the bitmap it came from. The
// built-in special icons are solid colours of their own. The .tnp file names its files in
// another case and with "\" separators, as a theme made on Windows does.

#include "common/bytes.h"
#include "platform/bmpfile.h"
#include "platform/surface.h"
#include "render/tnpimport.h"
#include "support/scratchfolder.h"

#include <QImage>
#include <optional>
#include <string>

namespace kalvon::testing {

inline constexpr int kTnpBitmapWidth = 288;
inline constexpr int kTnpBitmapHeight = 376;

// The colour of bitmap pixel (x, y), 0 <= x, y < 512. Never black or white.
inline QRgb tnpPixel(int x, int y)
{
    return qRgb(x & 0xff, y & 0xff, 0x80 | (x >> 8) | ((y >> 8) << 1));
}

// The coordinates a pixel names, or nothing for a pixel that did not come from the bitmap.
inline std::optional<std::pair<int, int>> tnpSource(QRgb pixel)
{
    const int blue = qBlue(pixel);
    if ((blue & 0xfc) != 0x80)
        return std::nullopt;
    return std::make_pair(qRed(pixel) + 256 * (blue & 1), qGreen(pixel) + 256 * ((blue >> 1) & 1));
}

inline Surface tnpBitmap(int width = kTnpBitmapWidth, int height = kTnpBitmapHeight)
{
    Surface bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, tnpPixel(x, y));
    }
    return bitmap;
}

// Icon i (0 Tremor .. 6 Holy Shield) of either size.
inline QRgb iconColor(bool large, int icon)
{
    return qRgb(0x10 + icon, large ? 0x16 : 0x08, 0x40);
}

inline SpecialIcons solidIcons()
{
    SpecialIcons icons;
    for (int i = 0; i < 7; ++i) {
        icons.large[size_t(i)] = Surface(16, 16);
        icons.large[size_t(i)].fill(iconColor(true, i));
        icons.small[size_t(i)] = Surface(8, 8);
        icons.small[size_t(i)].fill(iconColor(false, i));
    }
    return icons;
}

// A short 8-bit mono PCM wave.
inline Bytes wavBytes(int tone)
{
    const int samples = 64;
    Bytes data;
    for (int i = 0; i < samples; ++i)
        data.push_back(byteChar(128 + ((i * tone) % 64) - 32));
    const auto le = [](uint32_t value, int size) {
        Bytes out;
        for (int i = 0; i < size; ++i)
            out.push_back(byteChar(int((value >> (8 * i)) & 0xff)));
        return out;
    };
    return "RIFF" + le(36 + samples, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(11025, 4)
        + le(11025, 4) + le(1, 2) + le(8, 2) + "data" + le(samples, 4) + data;
}

// The keys of a TNP file by section, and the files it names, as written.
struct TnpTheme {
    std::string music = "Music\\Theme.MID";
    std::string drop = "Sounds\\Drop.WAV", lineClear = "Sounds\\Line.WAV", quad = "Sounds\\Quad.WAV",
                rotate = "Sounds\\Rotate.WAV", win = "Sounds\\Win.WAV", lose = "Sounds\\Lose.WAV",
                chat = "Sounds\\Chat.WAV", start = "Sounds\\Start.WAV";
    std::string bitmap = "Skin.BMP";

    std::string text() const
    {
        return "[Music]\r\nmidifile=" + music + "\r\n[Sounds]\r\nimmediate_piece_drop=" + drop
            + "\r\nline_cleared=" + lineClear + "\r\nfour_lines_cleared=" + quad + "\r\nrotate_piece="
            + rotate + "\r\nyou_won=" + win + "\r\nyou_lost=" + lose + "\r\nmessage_arrives=" + chat
            + "\r\ngame_start=" + start + "\r\n[Graphics]\r\nbitmaps_file=" + bitmap + "\r\n";
    }

    // Writes the .tnp file `name` below `folder`, with its bitmap and sounds in lower case, and
    // returns the .tnp file.
    std::filesystem::path write(
        const ScratchFolder& folder, const std::string& name, const Surface& picture = tnpBitmap()) const
    {
        const std::filesystem::path tnp = folder.write(name, text());
        const std::filesystem::path dir = tnp.parent_path().lexically_relative(folder.path());
        folder.write(dir / "skin.bmp", encodeBmp(picture));
        folder.write(dir / "music" / "theme.mid", "MThd");
        int tone = 1;
        for (const char* sound : { "drop", "line", "quad", "rotate", "win", "lose", "chat", "start" })
            folder.write(dir / "sounds" / (std::string(sound) + ".wav"), wavBytes(tone++));
        return tnp;
    }
};

} // namespace kalvon::testing
