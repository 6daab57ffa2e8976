#include "editor/blockspage.h"

#include "editor/animatedsetform.h"
#include "editor/pagecontext.h"
#include "editor/pagelayout.h"
#include "editor/previewbox.h"

namespace kalvon::editor {

namespace {
constexpr int kHeight = 352;
}

BlocksPage::BlocksPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(layout::kPageWidth, kHeight);
    buildAnimatedSet(context, this, kHeight,
        { "chkBlk", QStringLiteral("Include Game Blocks"), "fraBlocks", QStringLiteral("Game Blocks"),
            "cmdBrowseBlocks", "cmdPreviewBlocks",
            { { "chkBlkAni", QStringLiteral("Animated Blocks") },
                { "chkSpecAni", QStringLiteral("Animated Specials") },
                { "chkInetBlkAni", QStringLiteral("Animated Internet Blocks") },
                { "chkInetSpecAni", QStringLiteral("Animated Internet Specials") } },
            "fraBlkAni", "txtBlkStill", { "chkBlkTrans", QStringLiteral("Transparent Blocks") } });
    buildAnimatedSet(context, this, kHeight,
        { "chkNext", QStringLiteral("Include Next Window GFX"), "fraNext",
            QStringLiteral("Next Block Window"), "cmdBrowseNext", "cmdPreviewNext",
            { { "chkNextAni", QStringLiteral("Animated Blocks") } }, "fraNextAni", "txtNextStill", {} });
    buildAnimatedSet(context, this, kHeight,
        { "chkSW", QStringLiteral("Include Special Window GFX"), "fraSW", QStringLiteral("Special Window"),
            "cmdBrowseSpec", "cmdPreviewSpec", { { "chkSWAni", QStringLiteral("Animated Special Window") } },
            "fraSWAni", "txtSWStill", {} });
    buildSetSelector(context, this, "cmbBlocks");
    const auto previewBox = [&](BytesView box, const QRect& rect) {
        layout::place(new PreviewBox(context.previews, box, PreviewBox::Fit::Clip, this), this, rect);
    };
    previewBox("picPreviewBlk", QRect(540, 28, 96, 80));
    previewBox("picPreviewNext", QRect(550, 120, 77, 77));
    previewBox("picPreviewSW", QRect(510, 210, 160, 16));
}

} // namespace kalvon::editor
