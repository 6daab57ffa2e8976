#pragma once
// The Generate Description button: a block of "//" lines summarising the theme for people who
// open the file (readers never look at it).

#include "common/bytes.h"

namespace kalvon::editor {

class EditorState;

// "Yes" for a non-empty text, else "No".
BytesView YesNoFromText(BytesView text);
// "Yes" for a value other than 0, else "No".
BytesView YesNoFromValue(int value);

// The block for the controls as they are, every line ended by CR LF.
Bytes DescriptionText(const EditorState& state);

// The Generate Description button: replaces the description text with the block (through its
// change handler, so a different text marks the theme changed).
void GenerateDescription(EditorState& state);

} // namespace kalvon::editor
