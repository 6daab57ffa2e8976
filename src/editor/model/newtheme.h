#pragma once
// A new, empty type-1 theme in the editor's controls, and the start-up of the model.

namespace kalvon::editor {

class EditorState;

// Clears CurrentFile, ResourceDir and ResourceRelDir, sets every theme control to its default
// through the controls' handlers (so the theme counts as changed afterwards), disables every
// part's frame and stops every preview. The skin box and its transparency box, the
// description, the colour swatches and MusicPath stay as they were.
void NewThemeDefaults(EditorState& state);

// The New command once the save prompt let it go on: the defaults, the type controls applied
// again, Changed cleared.
void ApplyNewTheme(EditorState& state);

// The start-up of the editing window's model: the three part selectors and the type list
// selected, the new-theme defaults, Changed, ResourceRelDir and MusicPath cleared, and the
// page of the selected tab shown.
void StartEditor(EditorState& state);

} // namespace kalvon::editor
