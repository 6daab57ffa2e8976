#include "editor/model/browsing.h"

#include "common/colortext.h"
#include "common/dialogs.h"
#include "editor/model/animationpreview.h"
#include "editor/model/editorstate.h"
#include "editor/model/resourcearchive.h"

namespace kalvon::editor {

namespace {

constexpr ImageSetButton kImageSetButtons[] = {
    { "cmdBrowseBG", "txtBStart", "txtBGRoot", "txtBGExt" },
    { "cmdBrowseSpec", "txtSWImage", "txtSWRoot", "txtSWExt" },
    { "cmdBrowseIBG", "txtIBGImage", "txtIBGRoot", "txtIBGExt" },
    { "cmdBrowseBlocks", "txtBlkStart", "txtBlkRoot", "txtBlkExt" },
    { "cmdBrowseNext", "txtNextImage", "txtNextRoot", "txtNextExt" },
    { "cmdBrowseExplosion", "txtExplosionImage", "txtExplosionRoot", "txtExplosionExt" },
    { "cmdBrowseBomb", "txtBombImage", "txtBombRoot", "txtBombExt" },
};

constexpr std::string_view kInterfaceBoxes[] = { "txtIMain", "txtIOptions", "txtITheme", "txtIServer",
    "txtIChat", "txtIClient", "txtIHighScore", "txtIMisc", "txtIMenu", "txtIInternet" };

constexpr std::string_view kSoundBoxes[] = { "txtRotate", "txtDrop", "txtStart", "txtLose", "txtWinGame",
    "txtLine", "txtQuadSound", "txtExplosionSound", "txtChatSound", "txtClick", "txtShieldSound" };

// A file chosen in the resource folder, relative to it; "" when the user cancelled.
Bytes chooseResourceFile(const EditorState& state, Dialogs& dialogs, BytesView filter)
{
    return MakeResourceRelative(state, OpenFileDialog(dialogs, filter, state.files().ResourceDir));
}

// Fills `box` from the dialog; false when nothing was chosen.
bool browseInto(EditorState& state, Dialogs& dialogs, BytesView filter, BytesView box)
{
    const Bytes chosen = chooseResourceFile(state, dialogs, filter);
    if (chosen.empty())
        return false;
    state.setText(box, chosen);
    return true;
}

template <typename Boxes>
void browseElement(EditorState& state, Dialogs& dialogs, BytesView filter, const Boxes& boxes, int index)
{
    if (index >= 0 && index < static_cast<int>(std::size(boxes)))
        browseInto(state, dialogs, filter, boxes[static_cast<size_t>(index)]);
}

} // namespace

Bytes OpenFileDialog(Dialogs& dialogs, BytesView filter, BytesView initialFolder)
{
    FileDialogRequest request;
    request.filter = Bytes(filter);
    request.initialDir = Bytes(initialFolder);
    return dialogs.openFile(request).value_or(Bytes());
}

std::span<const ImageSetButton> imageSetButtons()
{
    return kImageSetButtons;
}

void BrowseImageSet(EditorState& state, Dialogs& dialogs, const ImageSetButton& button)
{
    if (!browseInto(state, dialogs, kImageFilter, button.firstFrame))
        return;
    // The first "." of the whole name: a name without one fills only the first-frame box.
    if (const std::optional<FrameName> name = SplitFrameName(state.text(button.firstFrame))) {
        state.setText(button.extension, name->extension);
        state.setText(button.root, name->root);
    }
}

std::span<const std::string_view> interfaceBoxes()
{
    return kInterfaceBoxes;
}

std::span<const std::string_view> soundBoxes()
{
    return kSoundBoxes;
}

void BrowseInterface(EditorState& state, Dialogs& dialogs, int index)
{
    browseElement(state, dialogs, kImageFilter, kInterfaceBoxes, index);
}

void BrowseMiscImage(EditorState& state, Dialogs& dialogs, int index)
{
    if (index >= 0 && index < kMiscImageCount)
        browseInto(state, dialogs, kImageFilter, elementName("txtMiscImage", index));
}

void BrowseSound(EditorState& state, Dialogs& dialogs, int index)
{
    browseElement(state, dialogs, kWaveFilter, kSoundBoxes, index);
}

void BrowseSkin(EditorState& state, Dialogs& dialogs)
{
    if (browseInto(state, dialogs, kImageFilter, "txtSkinFile"))
        state.setChanged(true);
}

void BrowseMusic(EditorState& state, Dialogs& dialogs)
{
    if (browseInto(state, dialogs, kMusicFilter, "txtMusic"))
        state.files().MusicPath.clear();
}

void BrowseResource(EditorState& state, Dialogs& dialogs, const std::filesystem::path& tempDir)
{
    const Bytes archive = OpenFileDialog(dialogs, kArchiveFilter, "");
    if (archive.empty())
        return;
    UnpackResourceZip(state, archive, dialogs, tempDir);
    state.setText("txtResource", archive);
}

void BrowseColor(EditorState& state, Dialogs& dialogs, int index)
{
    if (index < 0 || index >= kColorCount)
        return;
    // The dialog starts at black: no starting colour is given.
    const std::optional<uint32_t> chosen = dialogs.chooseColor(0);
    if (!chosen)
        return;
    state.setSwatchColor(index, *chosen & 0xFFFFFF);
    state.setText(elementName("txtColor", index), ColorToString(static_cast<int32_t>(*chosen & 0xFFFFFF)));
}

} // namespace kalvon::editor
