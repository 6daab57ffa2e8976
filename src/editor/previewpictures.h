#pragma once
// The pictures of the editor's previews: the two frame strips, the loading surface every image
// file goes through, and the picture of each preview box. A Preview button builds its part's
// strip and starts the part's timer; each tick of a running timer copies the part's current
// frame into its box at the pace of the injected clock. The interface and miscellaneous image
// previews show one picture each. No widgets: the boxes that show the pictures listen here.

#include "common/bytes.h"
#include "editor/model/animationpreview.h"
#include "platform/picturefile.h"
#include "platform/surface.h"

#include <array>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

namespace kalvon {
class Clock;
class Dialogs;
} // namespace kalvon

namespace kalvon::editor {

class EditorState;

inline constexpr std::string_view kInterfacePreviewBox = "imgIPreview";
inline constexpr std::string_view kMiscPreviewBox = "imgPreviewMisc";

// Parts are the entries of previewParts().
class PreviewPictures {
public:
    PreviewPictures(EditorState& state, Dialogs& dialogs, const Clock& clock);

    // A Preview button: the checks, the frames loaded into the part's strip (a frame that
    // cannot be loaded repeats the picture loaded before it), the playback reset and the
    // part's timer started.
    void build(const PreviewPart& part);
    // One tick of the part's timer.
    void tick(const PreviewPart& part);
    // One tick of every part whose timer runs.
    void tickRunning();

    // The interface image of Preview button `index` (the order of interfaceBoxes()); a file
    // that cannot be loaded shows "Unable to load image: " and its name.
    void previewInterface(int index);
    // The miscellaneous image `index`; a file that cannot be loaded is ignored, and the box
    // shows whatever picture was loaded last.
    void previewMiscImage(int index);

    // The picture of a preview box, by the box's name.
    const Surface& picture(BytesView box) const;
    const Surface& strip(PreviewStrip strip) const { return m_strips[static_cast<size_t>(strip)]; }
    const PreviewPlayback& playback(const PreviewPart& part) const { return m_playback[indexOf(part)]; }

    // Called with a box's name whenever its picture changed.
    void addListener(std::function<void(BytesView box)> listener);

private:
    struct Shown {
        int part = -1;
        int frame = -1;
        int stripGeneration = -1;
    };

    static size_t indexOf(const PreviewPart& part);
    bool loadFile(BytesView file);
    void showPicture(BytesView box, const Surface& picture);
    void notify(BytesView box);

    EditorState& m_state;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    PictureBuffer m_loading;
    std::array<Surface, 2> m_strips;
    std::array<int, 2> m_stripGenerations{};
    std::vector<PreviewPlayback> m_playback;
    std::map<Bytes, Surface, std::less<>> m_boxes;
    std::map<Bytes, Shown, std::less<>> m_shown;
    std::vector<std::function<void(BytesView)>> m_listeners;
};

} // namespace kalvon::editor
