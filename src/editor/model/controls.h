#pragma once
// The catalogue of the editing window's controls as the model knows them: every control that
// holds a theme value, with its kind and the handler that runs when its value changes; the
// frames, pages, part selectors and preview timers that those handlers switch. The tables are
// fixed; EditorState holds the values.

#include "common/bytes.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalvon::editor {

enum class ControlKind { Text, Check, List };

// What runs when a control's value really changes (set by the user or by the program alike).
enum class ChangeHandler {
    None, // nothing: the value changes and that is all
    SetsChanged, // sets Changed
    IncludeBox, // sets Changed; its frame (when it has one) is enabled while the value is 1
    BlockAnimation, // sets Changed; the block animation frame is enabled while any of its four boxes is 1
    TypeList, // the theme type list: sets Changed and switches the type-dependent controls
    PartSelector, // the fields, blocks and misc part lists: shows one part of the page
};

struct ControlInfo {
    std::string name; // "txtBGRoot", or "txtColor(3)" for an element of a control array
    ControlKind kind;
    ChangeHandler handler;
    std::string_view frame; // the frame an IncludeBox enables, "" for none
};

// Every control, in a fixed order; EditorState indexes its values by position here.
std::span<const ControlInfo> controlCatalogue();
// The position of a control in the catalogue, or -1 for an unknown name.
int controlIndex(BytesView name);

// The name of an element of a control array: "txtColor(3)".
Bytes elementName(BytesView arrayName, int index);
inline constexpr int kColorCount = 12; // the colour boxes and their swatches
inline constexpr int kMiscImageCount = 8; // the misc picture boxes

// The frames whose Enabled state the handlers and the new-theme defaults set, and the two
// controls the type list enables.
std::span<const std::string_view> enableableElements();

// The four block animation boxes that share the block animation frame.
std::span<const std::string_view> blockAnimationBoxes();

// The seven animation preview timers.
std::span<const std::string_view> previewTimers();

struct PageInfo {
    int tab; // 1 to 6
    std::string_view caption;
    std::string_view toolTip;
    std::string_view page; // the picture box that holds the page
    std::string_view menuEntry; // its entry of the "&Theme Data" menu
    std::string_view menuCaption;
    int windowHeightTwips;
    int tabStripHeightTwips;
    std::vector<std::string_view> timersKept; // previews that keep running on this page
};
std::span<const PageInfo> pageTable();

// One part a selector can show: its frame, its include box and its preview timer ("" if none).
struct SelectorPart {
    std::string_view frame;
    std::string_view includeBox;
    std::string_view timer;
    std::string_view entry; // the list entry that shows it
};
struct SelectorInfo {
    std::string_view list;
    std::vector<SelectorPart> parts; // in list order
    // When true an index outside the list shows the last part (the fields list: "any other");
    // otherwise such an index changes nothing.
    bool otherIndexShowsLast;
};
std::span<const SelectorInfo> selectorTable();

// The entries of a list, as the start-up fills them.
std::span<const std::string_view> listEntries(BytesView list);

} // namespace kalvon::editor
