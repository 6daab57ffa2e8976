#pragma once
// The pictures of the main window the renderer draws into, indexed as the window's control
// arrays are: fields 1 and 2 (3 is the theme page's preview field), their height LEDs (0 is
// the theme page's), next-piece windows 1 and 2 (3 the theme page's), special windows 1 and 2
// (0 the theme page's), the theme page's small internet field and its rows of sample tiles,
// and the five internet boards (drawn by internet play through the drawing library). main()
// makes one and hands it to the renderer and to the window, which attaches a viewer to each box
// it shows.

#include "render/picturebox.h"

#include <array>

namespace kalvon {

// A local field's picture, and an internet board's.
inline constexpr int kFieldPictureWidth = 192;
inline constexpr int kFieldPictureHeight = 352;
inline constexpr int kBoardPictureWidth = 96;
inline constexpr int kBoardPictureHeight = 176;

struct WindowPictures {
    std::array<PictureBox, 4> picField; // [1..3]
    std::array<PictureBox, 3> picLeds; // [0..2], 4 x 352
    std::array<PictureBox, 4> picNextPiece; // [1..3], 77 x 77
    std::array<PictureBox, 3> picSpecials; // [0..2], 160 x 16
    PictureBox picInetPreview{ kBoardPictureWidth, kBoardPictureHeight };
    // The theme page's samples: the six normal tiles, the eighteen specials in three rows, the
    // 24 internet cells in two rows.
    PictureBox picBlkPreview{ 96, 16 };
    PictureBox picSpecPreview{ 96, 48 };
    PictureBox picInetBlkPreview{ 96, 16 };
    std::array<PictureBox, 6> picInternetfield; // [1..5]: the other players' boards
    // The window's own picture, which Flash Screen puts behind a field.
    Surface windowPicture;

    WindowPictures()
    {
        for (int i = 1; i <= 3; ++i) {
            picField[size_t(i)] = PictureBox(kFieldPictureWidth, kFieldPictureHeight);
            picNextPiece[size_t(i)] = PictureBox(77, 77);
        }
        for (int i = 1; i <= 5; ++i)
            picInternetfield[size_t(i)] = PictureBox(kBoardPictureWidth, kBoardPictureHeight);
        for (int i = 0; i <= 2; ++i) {
            picLeds[size_t(i)] = PictureBox(4, kFieldPictureHeight);
            picSpecials[size_t(i)] = PictureBox(160, 16);
        }
    }
};

} // namespace kalvon
