#include "editor/model/animationpreview.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/vbconv.h"
#include "editor/model/editorstate.h"
#include "editor/model/resourcearchive.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kalvon::editor {

namespace {

constexpr PreviewPart kParts[] = {
    { "cmdPreviewBG", "chkBGAni", "chkBGReverse", "txtBGNum", "txtBGStart", "txtBGDelay", "txtBStart",
        "tmrBGPreview", "picPreviewBG", PreviewStrip::Background, 192, 352 },
    { "cmdPreviewIBG", "chkIBGAni", "chkIBGReverse", "txtIBGNum", "txtIBGStart", "txtIBGDelay", "txtIBGImage",
        "tmrPreviewIBG", "picPreviewBG", PreviewStrip::Background, 96, 176 },
    { "cmdPreviewBlocks", "chkBlkAni", "chkBlkReverse", "txtBlkNum", "txtBlkStartImage", "txtBlkDelay",
        "txtBlkStart", "tmrPreviewBlk", "picPreviewBlk", PreviewStrip::Blocks, 96, 80 },
    { "cmdPreviewNext", "chkNextAni", "chkNextReverse", "txtNextNum", "txtNextStart", "txtNextDelay",
        "txtNextImage", "tmrPreviewNext", "picPreviewNext", PreviewStrip::Blocks, 77, 77 },
    { "cmdPreviewSpec", "chkSWAni", "chkSWReverse", "txtSWNum", "txtSWStart", "txtSWDelay", "txtSWImage",
        "tmrPreviewSW", "picPreviewSW", PreviewStrip::Blocks, 160, 16 },
    { "cmdPreviewBomb", "", "", "txtBombNum", "", "txtBombDelay", "txtBombImage", "tmrPreviewBomb",
        "picPreviewBomb", PreviewStrip::Blocks, 64, 64 },
    { "cmdPreviewExplosion", "", "", "txtExplosionNum", "", "txtExplosionDelay", "txtExplosionImage",
        "tmrPreviewExplosion", "picPreviewExplosion", PreviewStrip::Blocks, 192, 64 },
};

bool stillFrameOnly(const EditorState& state, const PreviewPart& part)
{
    return !part.animateBox.empty() && state.value(part.animateBox) != 1;
}

// A box's number as the tick reads it (VB's Val: the leading number, else 0).
double boxNumber(const EditorState& state, std::string_view box)
{
    return vb::Val(state.text(box));
}

// A number rounded half to even and held to 32 bits, so no box value can overflow a counter.
int32_t wholeNumber(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = vb::roundHalfEven(value);
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(rounded, lowest, highest));
}

// The 32-bit tick count: differences are taken in wrap-around arithmetic.
uint32_t tickCount(const Clock& clock)
{
    return static_cast<uint32_t>(clock.nowMs());
}

} // namespace

std::span<const PreviewPart> previewParts()
{
    return kParts;
}

const PreviewPart* findPreviewPart(BytesView buttonOrTimer)
{
    for (const PreviewPart& part : kParts) {
        if (part.button == buttonOrTimer || part.timer == buttonOrTimer)
            return &part;
    }
    return nullptr;
}

int lastFrameThatFits(const PreviewPart& part)
{
    return kMaxStripOffset / part.frameHeight + 1;
}

std::optional<FrameName> SplitFrameName(BytesView firstFrame)
{
    const size_t dot = firstFrame.find('.');
    if (dot == BytesView::npos)
        return std::nullopt;
    return FrameName{ Bytes(firstFrame.substr(0, dot > 0 ? dot - 1 : 0)), Bytes(firstFrame.substr(dot + 1)) };
}

std::optional<PreviewBuild> PlanPreviewBuild(
    const EditorState& state, const PreviewPart& part, Dialogs& dialogs)
{
    if (stillFrameOnly(state, part))
        return std::nullopt;
    const auto refuse = [&](std::string_view message) -> std::optional<PreviewBuild> {
        dialogs.messageBox(message, "Error", MessageIcon::Critical);
        return std::nullopt;
    };
    const std::optional<double> count = vb::toNumber(state.text(part.countBox));
    if (!count || !(*count > 0))
        return refuse(kFrameCountMessage);
    std::optional<double> start = 1.0;
    if (!part.startBox.empty()) {
        start = vb::toNumber(state.text(part.startBox));
        if (!start || !(*start > 0))
            return refuse(kStartingFrameMessage);
    }
    const std::optional<double> delay = vb::toNumber(state.text(part.delayBox));
    if (!delay || *delay < 0)
        return refuse(kDelayMessage);
    const std::optional<FrameName> name = SplitFrameName(state.text(part.firstFrameBox));
    if (!name)
        return std::nullopt;

    PreviewBuild build;
    // Frames past the strip's offset limit would never be shown: they are not even loaded.
    const double frames = std::min(vb::roundHalfEven(*count), static_cast<double>(lastFrameThatFits(part)));
    for (int i = 1; i <= static_cast<int>(frames); ++i) {
        const Bytes file = name->root + vb::formatInt(i) + "." + name->extension;
        build.frameFiles.push_back(ResourceFilePath(state.files(), file));
    }
    build.startFrame = wholeNumber(*start);
    return build;
}

std::optional<int> PreviewTick(const EditorState& state, const PreviewPart& part, PreviewPlayback& playback,
    const Clock& clock, int framesInStrip)
{
    const int64_t available = std::min(framesInStrip, lastFrameThatFits(part));
    const auto inStrip = [&](int64_t frame) -> std::optional<int> {
        if (frame < 0 || frame >= available)
            return std::nullopt;
        return static_cast<int>(frame);
    };
    if (stillFrameOnly(state, part))
        return inStrip(0);

    const double count = boxNumber(state, part.countBox);
    const bool reverse = !part.reverseBox.empty() && state.value(part.reverseBox) == 1;
    const int64_t source = reverse ? wholeNumber(count - playback.CurrentFrame)
                                   : static_cast<int64_t>(playback.CurrentFrame) - 1;
    const std::optional<int> shown = inStrip(source);

    const uint32_t elapsed = tickCount(clock) - static_cast<uint32_t>(playback.LastTick);
    if (static_cast<double>(elapsed) > boxNumber(state, part.delayBox)) {
        if (playback.CurrentFrame < std::numeric_limits<int32_t>::max())
            ++playback.CurrentFrame;
        if (count < playback.CurrentFrame)
            playback.CurrentFrame = part.startBox.empty() ? 1 : wholeNumber(boxNumber(state, part.startBox));
        playback.LastTick = static_cast<int32_t>(tickCount(clock));
    }
    return shown;
}

} // namespace kalvon::editor
