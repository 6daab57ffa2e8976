#pragma once
// The animation previews without their pixels: the seven animated parts of a theme and the
// boxes each reads, the checks and frame files of a build, and the frame each tick of a part's
// preview timer shows. The window layer holds the pictures (PreviewPictures).

#include "common/bytes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kalvon {
class Clock;
class Dialogs;
} // namespace kalvon

namespace kalvon::editor {

class EditorState;

// The two strip surfaces: the background's (background and internet background) and the one
// the other five parts share; building a part replaces the strip of its surface.
enum class PreviewStrip { Background, Blocks };

struct PreviewPart {
    std::string_view button;
    std::string_view animateBox; // "" for a part that always animates
    std::string_view reverseBox; // "" for a part without a reverse mode
    std::string_view countBox;
    std::string_view startBox; // "" for a part that always starts at frame 1
    std::string_view delayBox;
    std::string_view firstFrameBox;
    std::string_view timer;
    std::string_view previewBox;
    PreviewStrip strip;
    int frameWidth;
    int frameHeight;
};

// Background, internet background, game blocks, next-block window, special window, block
// bomb, block explosion. The bomb's frames are 64 x 64, as the game draws them.
std::span<const PreviewPart> previewParts();
// The part of a Preview button or a timer; nullptr for any other name.
const PreviewPart* findPreviewPart(BytesView buttonOrTimer);

// Strip offsets are 16-bit: a frame placed past this many pixels is never held.
inline constexpr int kMaxStripOffset = 32767;
// The last frame whose offset fits (94 for the background's 352-pixel frames).
int lastFrameThatFits(const PreviewPart& part);

// A frame file name split as the first frame of a set: the text before the one character in
// front of the first "." (the frame number 1) and the text after that ".". Nothing when the
// name has no "."; a name with at most one character before it gives an empty front part.
struct FrameName {
    Bytes root;
    Bytes extension;
};
std::optional<FrameName> SplitFrameName(BytesView firstFrame);

inline constexpr std::string_view kFrameCountMessage = "Number of frames needs to be 1 or greater!";
inline constexpr std::string_view kStartingFrameMessage = "Starting frame needs to be 1 or greater!";
inline constexpr std::string_view kDelayMessage = "Delay between frames needs to be 0 or greater!";

struct PreviewBuild {
    // Frame 1 onwards, as far as the count (rounded half to even) and the strip allow.
    std::vector<Bytes> frameFiles;
    int32_t startFrame = 1;
};

// The part of a Preview button's handler before the pictures: nothing when the part's animate
// box is not ticked, when a check fails (its message shown, critical, "Error") or when the
// first frame's name has no ".".
std::optional<PreviewBuild> PlanPreviewBuild(
    const EditorState& state, const PreviewPart& part, Dialogs& dialogs);

// The preview state of a part: the tick count of the last advance and the frame to show.
struct PreviewPlayback {
    int32_t LastTick = 0;
    int32_t CurrentFrame = 1;
};

// One tick of a part's preview timer. Returns the strip frame (0-based) to copy into the
// preview box, or nothing when that frame is not in the strip (`framesInStrip` frames of the
// part's height); then advances the playback once more than the delay has passed since the
// last advance, wrapping to the starting frame after the frame count. The boxes are read as
// they stand at the tick.
std::optional<int> PreviewTick(const EditorState& state, const PreviewPart& part, PreviewPlayback& playback,
    const Clock& clock, int framesInStrip);

} // namespace kalvon::editor
