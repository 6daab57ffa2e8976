#pragma once
// The specials' own marks, drawn pixel by pixel so they stay sharp at 16 x 16 and 8 x 8:
// a 12 x 12 pictogram for the large tile and the special's settings letter (5 x 5) for the
// small one, each in the special's colour.

#include <QColor>
#include <vector>

namespace kalvon::themegen {

// Which pixels of a small grid are set.
class Mask {
public:
    Mask(int width, int height)
        : m_width(width)
        , m_height(height)
        , m_bits(size_t(width * height))
    {
    }
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool at(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_bits[size_t(y * m_width + x)];
    }
    void set(int x, int y, bool on = true)
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_bits[size_t(y * m_width + x)] = on;
    }

private:
    int m_width;
    int m_height;
    std::vector<bool> m_bits;
};

inline constexpr int kSpecialCount = 16;

Mask specialPictogram(int special); // 12 x 12, special 0..15 in the game's special order
Mask specialLetter(int special); // 5 x 5
QColor specialColor(int special);

// The team-name letters: a 5 x 7 glyph for a character (accented letters use their base letter;
// characters without a glyph give an empty mask).
Mask teamGlyph(char16_t unicode);

} // namespace kalvon::themegen
