#pragma once
// What the editing pages are built over: the model and its binder, the dialogs, the previews,
// the sound tryout and the folders the Browse buttons and pictures use.

#include <filesystem>

namespace kalvon {
class Dialogs;
}

namespace kalvon::editor {

class ControlBinder;
class EditorState;
class PreviewPictures;
class SoundTryout;

struct PageContext {
    EditorState& state;
    ControlBinder& binder;
    Dialogs& dialogs;
    PreviewPictures& previews;
    SoundTryout& tryout;
    std::filesystem::path tempDir; // where resource archives unpack
    std::filesystem::path imagesDir; // the program's built-in pictures (data/images)
};

} // namespace kalvon::editor
