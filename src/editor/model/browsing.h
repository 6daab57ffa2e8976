#pragma once
// The Browse buttons of the editing pages: a file dialog opened in the resource folder, the
// chosen path made relative to it and put into the button's box (an animated set's first frame
// also split into front part and extension); the resource archive unpacked when chosen; the
// colour dialog written into a colour box as colour text.

#include "common/bytes.h"

#include <filesystem>
#include <span>
#include <string_view>

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class EditorState;

// File dialog filters; the dialogs match their patterns in either case.
inline constexpr std::string_view kImageFilter
    = "Bitmap Graphic (*.bmp)|*.bmp|JPEG Graphic (*.jpg)|*.jpg|All Files(*.*)|*.*|";
inline constexpr std::string_view kWaveFilter = "Wave Sound (*.wav)|*.WAV|";
inline constexpr std::string_view kMusicFilter
    = "All Supported Sound Files|*.MP3;*.MP2;*.XM;*.IT;*.WAV;*.S3M;*.MOD;*.OGG;*.WMA;*.ASF;*.MID;*.MIDI|"
      "MPEG Audio File (*.MP3, *.MP2)|*.MP3;*.MP2|Midi File(*.MID, *.MIDI)|*.MID;*.MIDI|"
      "Mod Files (*.XM, *.MOD, *.S3M, *.IT)|*.XM; *.MOD; *.S3M; *.IT|"
      "Windows Media Audio(*.WMA, *.ASF)|*.WMA;*.ASF|Ogg Vorbis(*.OGG)|*.OGG|Wave File(*.WAV)|*.WAV|"
      "All Files(*.*)|*.*|";
inline constexpr std::string_view kArchiveFilter = "Zip File (*.zip)|*.ZIP|";

// OpenFileDialog: the chosen path, "" when the user cancels.
Bytes OpenFileDialog(Dialogs& dialogs, BytesView filter, BytesView initialFolder);

// The seven image-set buttons and the boxes each fills.
struct ImageSetButton {
    std::string_view button;
    std::string_view firstFrame;
    std::string_view root;
    std::string_view extension;
};
std::span<const ImageSetButton> imageSetButtons();
void BrowseImageSet(EditorState& state, Dialogs& dialogs, const ImageSetButton& button);

// The interface boxes in the index order of their Browse and Preview buttons.
std::span<const std::string_view> interfaceBoxes();
// The sound boxes in the index order of their Browse and play buttons.
std::span<const std::string_view> soundBoxes();

// The single-file buttons; an index outside its array fills nothing.
void BrowseInterface(EditorState& state, Dialogs& dialogs, int index);
void BrowseMiscImage(EditorState& state, Dialogs& dialogs, int index);
void BrowseSound(EditorState& state, Dialogs& dialogs, int index);
// The skin box has no change handler: the button marks the theme changed itself.
void BrowseSkin(EditorState& state, Dialogs& dialogs);
// A music file chosen here is found through the resource folder again: MusicPath is emptied.
void BrowseMusic(EditorState& state, Dialogs& dialogs);
// Unpacks the chosen archive at once and stores its full path in the resource box.
void BrowseResource(EditorState& state, Dialogs& dialogs, const std::filesystem::path& tempDir);
// The colour dialog for colour box `index`: its swatch and its text take the chosen colour.
void BrowseColor(EditorState& state, Dialogs& dialogs, int index);

} // namespace kalvon::editor
