#pragma once
// The loaders that build a theme's sheets (ThemeImages) from the theme record's files.
//
// Frame n of a set is the file theme folder & file name & n & "." & extension. Every picture
// file is loaded into the loader's own picture buffer and copied into its sheet from there; a
// file that is missing or unreadable leaves the buffer as it was, so that frame or picture
// shows the one the same loader read before it (nothing, a black area, when it is the first).
// Masks are built with BuildMask over the rectangles the sheet layout gives.

#include "common/bytes.h"
#include "render/themeimages.h"
#include "render/themerecord.h"

#include <filesystem>
#include <functional>

namespace kalvon {

class PictureReadAhead;
class ThemeWindow;

struct SheetLoading {
    ThemeImages& images;
    ThemeRecord& theme; // read, and its current frames set
    ThemeWindow& window; // shows each file while the loading window is visible
    std::filesystem::path programDir; // where relative paths start
    // Set by BuildThemeImages and LoadInterfaceImages while they run: their files decoded ahead.
    PictureReadAhead* readAhead = nullptr;
};

// Frame sets: sheet width x (frames x frame height + 5).
void LoadBackgroundFrames(SheetLoading& loading); // 193 wide, 192 x 352 frames
void LoadBlockFrames(SheetLoading& loading); // 112 wide, 96 x 80; masked when blktransparency
void LoadInternetBackgroundFrames(SheetLoading& loading); // 101 wide, 96 x 176
void LoadNextPieceFrames(SheetLoading& loading); // 90 wide, 77 x 77
void LoadSpecialWindowFrames(SheetLoading& loading); // 160 wide, 160 x 16
void LoadExplodeFrames(SheetLoading& loading); // 197 wide, 192 x 64, always masked
void LoadBombFrames(SheetLoading& loading); // 64 wide, 64 x 64, always masked

// Single pictures.
void LoadDoorImages(SheetLoading& loading);
void LoadMiscImages(SheetLoading& loading);
void LoadSkinImage(SheetLoading& loading);
// The interface images of the current theme, looked up in `interfaceFolder` (a path text
// ending in "/"). Shows no progress.
void LoadInterfaceImages(SheetLoading& loading, BytesView interfaceFolder);

// The points of the rebuild that the loading window's progress bar marks.
enum class ThemeImagesStep { DoorsLoaded, MiscLoaded, BlocksLoaded };

// The theme part of the main window's image rebuild: every frame set's current frame set to
// its still frame, then the door and misc pictures, the skin (type 0) or the five frame sets
// (type 1), then the explosion and bomb sets. The sheets count as being rebuilt meanwhile.
// `reached` is told each step as it is passed (BlocksLoaded only for a type-1 theme).
void BuildThemeImages(SheetLoading& loading, const std::function<void(ThemeImagesStep)>& reached = {});

} // namespace kalvon
