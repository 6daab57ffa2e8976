#pragma once
// The theme editor's model: the value of every control of the editing window, by the
// control's name, and the state its handlers switch (frames enabled, parts shown, the page,
// preview timers), plus the editor's file state. The edited theme lives here and nowhere
// else; the window mirrors it.
//
// Setting a value runs the control's change handler whenever the value really changes,
// whoever sets it: an edit by the user and a value filled in by the program (New, Load)
// behave alike, and setting the value a control already has runs nothing.

#include "common/bytes.h"
#include "editor/model/controls.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kalvon::editor {

// The editor's file state beside its controls.
struct EditorFiles {
    Bytes CurrentFile; // the theme file last loaded or saved; "" for a theme without a file
    Bytes ResourceDir; // the folder the resource archive was unpacked into, ending in "/"
    Bytes ResourceRelDir; // the same folder relative to the temporary folder ("kalvon/dark/")
    Bytes MusicPath; // the prefix the music tryout puts before the music file's name
};

// Type-0 keys that no control shows: kept from the loaded file so that a save writes them
// back instead of dropping them.
struct SkinPictureKeys {
    std::optional<Bytes> specialwindowpic;
    std::optional<Bytes> nextblockpic;
};

class EditorState {
public:
    // Called with the name of every control, frame, page, timer or swatch whose state changed.
    using Listener = std::function<void(BytesView name)>;

    // The controls as the window first shows them: texts empty, boxes clear, lists without a
    // selection, everything enabled and visible, the first tab selected, timers stopped.
    EditorState();

    // Returns a handle for removeListener (a window that goes away before the model).
    int addListener(Listener listener);
    void removeListener(int handle);

    // Text boxes. Names as in the catalogue; array elements as elementName("txtColor", 3).
    const Bytes& text(BytesView name) const;
    void setText(BytesView name, BytesView value);

    // Check boxes: 0 clear, 1 set, 2 grey.
    int value(BytesView checkBox) const;
    void setValue(BytesView checkBox, int value);

    // Lists: the selected entry, -1 for none.
    int listIndex(BytesView list) const;
    void setListIndex(BytesView list, int index);

    // The theme type list's handler: marks the theme changed and switches the type-dependent
    // controls; also called directly by the New command.
    void themeTypeChosen();

    // Frames and the two type-1 controls; the handlers and the new-theme defaults set them.
    bool enabled(BytesView element) const;
    void setEnabled(BytesView element, bool enabled);
    bool visible(BytesView element) const;

    bool timerEnabled(BytesView timer) const;
    void setTimerEnabled(BytesView timer, bool enabled);

    // Pages. Selecting a tab shows its page; a number outside 1 to 6 selects no page.
    void selectTab(int tab);
    // A page chosen from the "&Theme Data" menu: the same state as choosing its tab.
    void chooseMenuPage(int tab);
    int selectedTab() const { return m_selectedTab; }
    int shownPage() const { return m_shownPage; }
    int windowHeightTwips() const { return m_windowHeightTwips; }
    int tabStripHeightTwips() const { return m_tabStripHeightTwips; }
    bool menuChecked(BytesView menuEntry) const;

    // The colour swatches beside the colour boxes (R + 256 G + 65536 B).
    uint32_t swatchColor(int index) const;
    void setSwatchColor(int index, uint32_t color);

    bool Changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

    EditorFiles& files() { return m_files; }
    const EditorFiles& files() const { return m_files; }

    SkinPictureKeys& skinPictureKeys() { return m_skinPictureKeys; }
    const SkinPictureKeys& skinPictureKeys() const { return m_skinPictureKeys; }

private:
    struct Slot {
        Bytes text;
        int value = 0; // check box value or list index
    };

    int indexOf(BytesView name, ControlKind kind) const;
    void notify(BytesView name);
    void runHandler(const ControlInfo& control);
    void applySelector(BytesView list, int index);
    void applyPage(int tab);
    void setVisible(BytesView element, bool visible);
    using Flags = std::map<Bytes, bool, std::less<>>;
    template <typename FlagMap> static auto& flagIn(FlagMap& map, BytesView name);
    void setFlag(Flags& map, BytesView name, bool value);

    std::vector<Slot> m_slots;
    Flags m_enabled;
    Flags m_visible;
    Flags m_timers;
    Flags m_menuChecks;
    std::vector<uint32_t> m_swatches;
    int m_selectedTab = 1;
    int m_shownPage = 0;
    int m_windowHeightTwips = 0;
    int m_tabStripHeightTwips = 0;
    bool m_changed = false;
    EditorFiles m_files;
    SkinPictureKeys m_skinPictureKeys;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListener = 1;
};

} // namespace kalvon::editor
