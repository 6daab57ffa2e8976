#include "editor/model/controls.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace kalvon::editor {

namespace {

using Kind = ControlKind;
using Handler = ChangeHandler;

// Text boxes whose change handler sets Changed, page by page.
constexpr std::string_view kTrackedTexts[] = {
    "txtThemeName",
    "txtAuthor",
    "txtVersion",
    "txtDescription",
    "txtResource",
    "txtIMain",
    "txtIOptions",
    "txtITheme",
    "txtIServer",
    "txtIChat",
    "txtIClient",
    "txtIHighScore",
    "txtIMisc",
    "txtIMenu",
    "txtIInternet",
    "txtBStart",
    "txtBGNum",
    "txtBGStart",
    "txtBGStill",
    "txtBGDelay",
    "txtIBGImage",
    "txtIBGNum",
    "txtIBGStart",
    "txtIBGStill",
    "txtIBGDelay",
    "txtBlkStart",
    "txtBlkNum",
    "txtBlkStartImage",
    "txtBlkStill",
    "txtBlkDelay",
    "txtNextImage",
    "txtNextNum",
    "txtNextStart",
    "txtNextStill",
    "txtNextDelay",
    "txtSWImage",
    "txtSWNum",
    "txtSWStart",
    "txtSWStill",
    "txtSWDelay",
    "txtExplosionImage",
    "txtExplosionNum",
    "txtExplosionDelay",
    "txtBombImage",
    "txtBombNum",
    "txtBombDelay",
    "txtMusic",
    "txtRotate",
    "txtDrop",
    "txtStart",
    "txtLose",
    "txtWinGame",
    "txtLine",
    "txtQuadSound",
    "txtExplosionSound",
    "txtChatSound",
    "txtClick",
};

// Text boxes without a change handler: the frame sets' root and extension boxes, the skin
// file box (its Browse button sets Changed itself) and the Shield sound box.
constexpr std::string_view kUntrackedTexts[] = {
    "txtBGRoot",
    "txtBGExt",
    "txtIBGRoot",
    "txtIBGExt",
    "txtBlkRoot",
    "txtBlkExt",
    "txtNextRoot",
    "txtNextExt",
    "txtSWRoot",
    "txtSWExt",
    "txtExplosionRoot",
    "txtExplosionExt",
    "txtBombRoot",
    "txtBombExt",
    "txtSkinFile",
    "txtShieldSound",
};

struct BoxEntry {
    std::string_view name;
    std::string_view frame;
};

// Check boxes whose click handler sets Changed (and enables their frame, when they have one).
constexpr BoxEntry kIncludeBoxes[] = {
    { "chkIface", "fraIface" },
    { "chkIMenuTransparent", "" },
    { "chkBG", "fraBackground" },
    { "chkBGAni", "fraBGAni" },
    { "chkBGReverse", "" },
    { "chkIBG", "fraIBG" },
    { "chkIBGAni", "fraIBGAni" },
    { "chkIBGReverse", "" },
    { "chkBlk", "fraBlocks" },
    { "chkBlkReverse", "" },
    { "chkBlkTrans", "" },
    { "chkNext", "fraNext" },
    { "chkNextAni", "fraNextAni" },
    { "chkNextReverse", "" },
    { "chkSW", "fraSW" },
    { "chkSWAni", "fraSWAni" },
    { "chkSWReverse", "" },
    { "chkExplosion", "fraExplosion" },
    { "chkBomb", "fraBomb" },
    { "chkBombTrans", "" },
    { "chkColor", "fraColor" },
    { "chkMImg", "fraMImg" },
    { "chkMusic", "fraMusic" },
    { "chkSounds", "fraSound" },
};

constexpr std::string_view kBlockAnimationBoxes[]
    = { "chkBlkAni", "chkSpecAni", "chkInetBlkAni", "chkInetSpecAni" };

// Check boxes without a click handler.
constexpr std::string_view kUntrackedBoxes[]
    = { "chkSkinTransparent", "chkExplosionTrans", "chkWinTrans", "chkWinInetTrans" };

std::vector<ControlInfo> buildCatalogue()
{
    std::vector<ControlInfo> table;
    auto add = [&](BytesView name, Kind kind, Handler handler, std::string_view frame = {}) {
        table.push_back({ Bytes(name), kind, handler, frame });
    };
    for (auto name : kTrackedTexts)
        add(name, Kind::Text, Handler::SetsChanged);
    for (int i = 0; i < kColorCount; ++i)
        add(elementName("txtColor", i), Kind::Text, Handler::SetsChanged);
    for (int i = 0; i < kMiscImageCount; ++i)
        add(elementName("txtMiscImage", i), Kind::Text, Handler::SetsChanged);
    for (auto name : kUntrackedTexts)
        add(name, Kind::Text, Handler::None);
    for (const BoxEntry& box : kIncludeBoxes)
        add(box.name, Kind::Check, Handler::IncludeBox, box.frame);
    for (auto name : kBlockAnimationBoxes)
        add(name, Kind::Check, Handler::BlockAnimation, "fraBlkAni");
    for (auto name : kUntrackedBoxes)
        add(name, Kind::Check, Handler::None);
    add("cmbType", Kind::List, Handler::TypeList);
    for (auto name : { "cmbFields", "cmbBlocks", "cmbMisc" })
        add(name, Kind::List, Handler::PartSelector);
    return table;
}

constexpr std::string_view kEnableable[] = {
    "fraTheme0",
    "fraIface",
    "fraBackground",
    "fraBGAni",
    "fraIBG",
    "fraIBGAni",
    "fraBlocks",
    "fraBlkAni",
    "fraNext",
    "fraNextAni",
    "fraSW",
    "fraSWAni",
    "fraExplosion",
    "fraBomb",
    "fraColor",
    "fraMImg",
    "fraMusic",
    "fraSound",
    "txtResource",
    "cmdBrowseResource",
};

constexpr std::string_view kTimers[] = { "tmrBGPreview", "tmrPreviewIBG", "tmrPreviewBlk", "tmrPreviewNext",
    "tmrPreviewSW", "tmrPreviewExplosion", "tmrPreviewBomb" };

constexpr std::string_view kTypeEntries[] = { "Theme Type 0", "Theme Type 1" };
constexpr std::string_view kFieldsEntries[] = { "Background", "Internet Background" };
constexpr std::string_view kBlocksEntries[] = { "Game Blocks", "Next Block Window", "Special Window" };
constexpr std::string_view kMiscEntries[] = { "Explosion", "Block Bomb", "Theme Colors", "Misc. Images" };

} // namespace

Bytes elementName(BytesView arrayName, int index)
{
    return Bytes(arrayName) + "(" + std::to_string(index) + ")";
}

std::span<const ControlInfo> controlCatalogue()
{
    static const std::vector<ControlInfo> table = buildCatalogue();
    return table;
}

int controlIndex(BytesView name)
{
    static const std::unordered_map<std::string_view, int> index = [] {
        std::unordered_map<std::string_view, int> map;
        const auto table = controlCatalogue();
        for (size_t i = 0; i < table.size(); ++i)
            map.emplace(table[i].name, static_cast<int>(i));
        return map;
    }();
    const auto found = index.find(name);
    return found == index.end() ? -1 : found->second;
}

std::span<const std::string_view> enableableElements()
{
    return kEnableable;
}

std::span<const std::string_view> blockAnimationBoxes()
{
    return kBlockAnimationBoxes;
}

std::span<const std::string_view> previewTimers()
{
    return kTimers;
}

std::span<const PageInfo> pageTable()
{
    static const std::vector<PageInfo> pages = {
        { 1, "General", "General Theme Information", "picGeneral", "mnuGeneral", "&General", 6475, 5730, {} },
        { 2, "IFace", "Graphical Interface Configuration", "picIface", "mnuIface", "&Interface", 6475, 5730,
            {} },
        { 3, "Background", "Game Background Configuration", "picFields", "mnuBG", "&Background", 7315, 6575,
            { "tmrBGPreview", "tmrPreviewIBG" } },
        { 4, "Blocks", "Game Block Configuration", "picBlocks", "mnuBLK", "Bl&ocks", 6475, 5730,
            { "tmrPreviewBlk", "tmrPreviewNext", "tmrPreviewSW" } },
        { 5, "Misc. GFX", "Miscellaneous graphics", "picMisc", "mnuMisc", "&Misceallenous Graphics", 6475,
            5730, { "tmrPreviewExplosion", "tmrPreviewBomb" } },
        { 6, "Sounds/Music", "Sounds and Music configuration", "picSound", "mnuSounds", "&Sounds and Music",
            6475, 5730, {} },
    };
    return pages;
}

std::span<const SelectorInfo> selectorTable()
{
    static const std::vector<SelectorInfo> selectors = {
        { "cmbFields",
            { { "fraBackground", "chkBG", "tmrBGPreview", kFieldsEntries[0] },
                { "fraIBG", "chkIBG", "tmrPreviewIBG", kFieldsEntries[1] } },
            true },
        { "cmbBlocks",
            { { "fraBlocks", "chkBlk", "tmrPreviewBlk", kBlocksEntries[0] },
                { "fraNext", "chkNext", "tmrPreviewNext", kBlocksEntries[1] },
                { "fraSW", "chkSW", "tmrPreviewSW", kBlocksEntries[2] } },
            false },
        { "cmbMisc",
            { { "fraExplosion", "chkExplosion", "tmrPreviewExplosion", kMiscEntries[0] },
                { "fraBomb", "chkBomb", "tmrPreviewBomb", kMiscEntries[1] },
                { "fraColor", "chkColor", "", kMiscEntries[2] },
                { "fraMImg", "chkMImg", "", kMiscEntries[3] } },
            false },
    };
    return selectors;
}

std::span<const std::string_view> listEntries(BytesView list)
{
    if (list == "cmbType")
        return kTypeEntries;
    if (list == "cmbFields")
        return kFieldsEntries;
    if (list == "cmbBlocks")
        return kBlocksEntries;
    if (list == "cmbMisc")
        return kMiscEntries;
    return {};
}

} // namespace kalvon::editor
