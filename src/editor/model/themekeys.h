#pragma once
// The keys of a theme file and the controls they come from: one table per group, shared by
// the theme file writer and the editor's loader so the two cannot drift apart.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalvon::editor {

inline constexpr std::string_view kThemeSection = "Theme Info";
inline constexpr std::string_view kWhiteColorText = "255,255,255";

enum class ValueForm {
    Text,       // the box's text as it stands
    Flag,       // a check box value right after "="
    PaddedFlag, // a check box value in the numeric print form: "= 1 "
};

// A key of a frame set: always written when its group is included.
struct SetKey {
    std::string key;
    std::string_view control;
    ValueForm form;
    std::string_view loadDefault; // what the loader puts into a text box when the key is missing
};

// An animated image set (background, blocks, internet background, special window, next-block
// window, explosion, bomb).
struct FrameSet {
    std::string_view title;      // the group's title line
    std::string_view includeBox;
    std::vector<SetKey> keys;    // in the order the writer writes them
    std::string_view root;       // the boxes the loader composes the first frame from
    std::string_view extension;
    std::string_view firstFrame;
};

// A key written only when its box is not empty, and the flag that follows it (if any).
struct OptionalKey {
    std::string_view key;
    std::string_view box;
    std::string_view flagKey = {};
    std::string_view flagBox = {};
};

// A group of such keys: interface, miscellaneous images, music, sounds.
struct OptionalGroup {
    std::string_view title;
    std::string_view includeBox;
    std::vector<OptionalKey> keys; // in the order the writer writes them
};

// The type-1 frame sets in the writer's group order: background, blocks, internet
// background, special window, next-block window.
std::span<const FrameSet> typeOneFrameSets();
const FrameSet& explosionSet();
const FrameSet& bombSet();

const OptionalGroup& interfaceGroup();
const OptionalGroup& miscImagesGroup();
const OptionalGroup& musicGroup();
const OptionalGroup& soundsGroup();

// The colour keys in txtColor index order.
std::span<const std::string_view> colorKeys();
inline constexpr std::string_view kColorsTitle = "//Colors";
inline constexpr std::string_view kColorsIncludeBox = "chkColor";

} // namespace kalvon::editor
