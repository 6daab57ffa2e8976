#include "editor/backgroundpage.h"

#include "editor/animatedsetform.h"
#include "editor/pagecontext.h"
#include "editor/pagelayout.h"
#include "editor/previewbox.h"

namespace kalvon::editor {

namespace {
constexpr int kHeight = 408;
}

BackgroundPage::BackgroundPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(layout::kPageWidth, kHeight);
    buildAnimatedSet(context, this, kHeight,
        { "chkBG", QStringLiteral("Include Game Backgrond"), "fraBackground",
            QStringLiteral("Game Background"), "cmdBrowseBG", "cmdPreviewBG",
            { { "chkBGAni", QStringLiteral("Animated Background") } }, "fraBGAni", "txtBGStill", {} });
    buildAnimatedSet(context, this, kHeight,
        { "chkIBG", QStringLiteral("Include Game Internet Backgrond"), "fraIBG",
            QStringLiteral("Game Internet Background"), "cmdBrowseIBG", "cmdPreviewIBG",
            { { "chkIBGAni", QStringLiteral("Animated Internet Background") } }, "fraIBGAni", "txtIBGStill",
            {} });
    buildSetSelector(context, this, "cmbFields");
    auto* preview = new PreviewBox(context.previews, "picPreviewBG", PreviewBox::Fit::Clip, this);
    layout::place(preview, this, QRect(496, 28, 192, 352));
}

} // namespace kalvon::editor
