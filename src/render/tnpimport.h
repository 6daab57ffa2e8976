#pragma once
// ImportTnpTheme: taking a TNP theme into the current theme, and converting it on request into
// a .kvx theme file with a BMP skin that the game and the theme editor load.
//
// A TNP theme is an ini-style text file (.tnp) naming, relative to its own folder, one skin
// bitmap, a music file and eight sounds. The import stores the music and sound paths as
// folder & "\" & name, rebuilds the type-0 skin sheet from the bitmap (five block colours and
// nine specials; the sixth colour repeats the first and the seven missing specials come from
// the built-in icons) and makes the current theme a type-0 theme named "Unknown". Then it asks
// whether to convert; on Yes it asks for the BMP's and the theme file's names in turn.
//
// A TNP file that cannot be read, that names a file outside its folder (an absolute name or one
// with a ".." part), or whose bitmap is larger than any picture the game loads, is refused with
// a message before anything changes. A bitmap that is missing or cannot be decoded leaves the
// scratch picture as the previous import left it (empty at first), and the skin is built from
// that.

#include "common/bytes.h"
#include "platform/picturefile.h"
#include "platform/surface.h"

#include <array>
#include <filesystem>
#include <functional>

namespace kalvon {

class Dialogs;
struct ThemeImages;
struct Themes;

// The built-in pictures of the seven specials a TNP bitmap has no tiles for, by index:
// 0 Tremor, 1 Push Field, 2 Vertical Clear, 3 Flash Screen, 4 Drop Block, 5 Give Line,
// 6 Holy Shield.
struct SpecialIcons {
    std::array<Surface, 7> large; // 16 x 16, for the local fields
    std::array<Surface, 7> small; // 8 x 8, for the internet boards
};

// The icons from `imagesFolder` (special16_N.png and special8_N.png); a missing one stays null
// and is not drawn.
SpecialIcons loadSpecialIcons(const std::filesystem::path& imagesFolder);

// Copies the tiles and backgrounds of a TNP bitmap, and the icons of the specials it lacks, into
// a type-0 skin (291 x 355). The whole bitmap is copied first as a base; what lies outside
// either picture is cut off, so pixels the bitmap does not reach keep their value.
void buildTnpSkin(Surface& skin, const Surface& bitmap, const SpecialIcons& icons);

// The theme file the conversion writes: 24 lines in CR LF, the blank ones a lone CR (so CR CR
// LF), naming the skin `skinName` and the current theme's music and nine of its sounds.
Bytes convertedThemeBytes(BytesView skinName, const Themes& themes);

// The name the conversion proposes for its files, without the extension: the TNP path without
// the extension of its file name.
Bytes tnpProposedBase(BytesView tnpPath);

enum class TnpImportResult {
    Refused, // a message said why; nothing changed
    Imported, // the current theme is the TNP theme; nothing was written
    Converted, // ... and the theme file and its skin were written
};

struct TnpImport {
    Themes& themes;
    ThemeImages& images;
    Dialogs& dialogs;
    SpecialIcons icons;
    std::filesystem::path programDir; // where relative paths start
    // Redraws the local fields and the internet boards once the skin and the theme have
    // changed.
    std::function<void()> redraw;
    // The last bitmap read: an import whose bitmap cannot be read builds the skin from it.
    PictureBuffer picTNPTemp;
};

// `path` is the .tnp file as a path text ("\" or "/" separators).
TnpImportResult ImportTnpTheme(TnpImport& import, BytesView path);

} // namespace kalvon
