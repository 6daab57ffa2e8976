#include "editor/miscpage.h"

#include "editor/animatedsetform.h"
#include "editor/controlbinder.h"
#include "editor/model/browsing.h"
#include "editor/model/controls.h"
#include "editor/pagecontext.h"
#include "editor/pagelayout.h"
#include "editor/previewbox.h"
#include "editor/previewpictures.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace kalvon::editor {

namespace {

using namespace layout;

constexpr int kHeight = 352;

// The colour rows are closer than the others: twelve of them fill the frame.
constexpr int kColorTop = 40;
constexpr int kColorPitch = 25;

// Captions in the colour boxes' index order.
const char* const kColorCaptions[] = {
    "Title:",
    "Fields:",
    "Options:",
    "Theme:",
    "Server:",
    "Connect:",
    "Internet:",
    "High Score Title:",
    "High Score Normal:",
    "High Score First:",
    "High Score Second:",
    "High Score Third:",
};

// Captions in the misc picture boxes' index order.
const char* const kMiscCaptions[] = {
    "Game Door 1:",
    "Game Door 2:",
    "Internet Door:",
    "Win Game Image:",
    "Internet Win Image:",
    "Height Led:",
    "Warning Image:",
    "Team Font:",
};

} // namespace

MiscPage::MiscPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kPageWidth, kHeight);
    buildAnimatedSet(context, this, kHeight,
        { "chkExplosion", QStringLiteral("Include Explosion in Theme"), "fraExplosion",
            QStringLiteral("Explosion"), "cmdBrowseExplosion", "cmdPreviewExplosion", {}, "", "",
            { "chkExplosionTrans", QStringLiteral("Transparent Explosion") } });
    buildAnimatedSet(context, this, kHeight,
        { "chkBomb", QStringLiteral("Include Bomb in Theme"), "fraBomb", QStringLiteral("Block Bomb"),
            "cmdBrowseBomb", "cmdPreviewBomb", {}, "", "",
            { "chkBombTrans", QStringLiteral("Transparent Blocks") } });
    buildColors(context);
    buildMiscImages(context);
    buildSetSelector(context, this, "cmbMisc");

    place(new PreviewBox(context.previews, "picPreviewExplosion", PreviewBox::Fit::Clip, this), this,
        QRect(496, 28, 192, 64));
    place(new PreviewBox(context.previews, "picPreviewBomb", PreviewBox::Fit::Clip, this), this,
        QRect(496, 100, 64, 64));
    place(new PreviewBox(context.previews, kMiscPreviewBox, PreviewBox::Fit::Scale, this), this,
        QRect(kRightColumnX, 172, 204, 176));
}

void MiscPage::buildColors(PageContext& context)
{
    QGroupBox* colors = buildIncludedFrame(context, this, frameBelowIncludeBox(kHeight), "chkColor",
        QStringLiteral("Include Colors in Theme"), "fraColor", QStringLiteral("Theme Colors"),
        PartChoice::BySelector);
    for (int i = 0; i < kColorCount; ++i) {
        const int y = kColorTop + kColorPitch * i;
        caption(colors, this, QString::fromLatin1(kColorCaptions[i]), y);
        place(context.binder.lineEdit(elementName("txtColor", i), colors), this,
            QRect(kFieldX, y, 100, kFieldHeight));
        place(context.binder.swatch(i, colors), this, QRect(252, y + 1, 40, 18));
        connect(button(colors, this, QStringLiteral("Browse"), QRect(296, y - 1, kBrowseWidth, kButtonHeight),
                    arrayName("cmdBrowseColor", i)),
            &QPushButton::clicked, this, [&context, i] { BrowseColor(context.state, context.dialogs, i); });
    }
}

void MiscPage::buildMiscImages(PageContext& context)
{
    QGroupBox* images = buildIncludedFrame(context, this, frameBelowIncludeBox(kHeight), "chkMImg",
        QStringLiteral("Include Misc. Images in Theme"), "fraMImg", QStringLiteral("Miscellaneous Images"),
        PartChoice::BySelector);
    for (int i = 0; i < kMiscImageCount; ++i) {
        const int y = rowY(i);
        caption(images, this, QString::fromLatin1(kMiscCaptions[i]), y);
        place(context.binder.lineEdit(elementName("txtMiscImage", i), images), this,
            QRect(kFieldX, y, kFieldWidth, kFieldHeight));
        connect(browseButton(images, this, y, arrayName("cmdBrowseMisc", i)), &QPushButton::clicked, this,
            [&context, i] { BrowseMiscImage(context.state, context.dialogs, i); });
        connect(previewButton(images, this, y, arrayName("cmdPreviewMisc", i)), &QPushButton::clicked, this,
            [&context, i] { context.previews.previewMiscImage(i); });
    }
    place(context.binder.checkBox("chkWinTrans", QStringLiteral("Win Game Image Transparent"), images), this,
        QRect(kCaptionX, rowY(8), 300, kFieldHeight));
    place(context.binder.checkBox(
              "chkWinInetTrans", QStringLiteral("Internet Win Game Image Transparent"), images),
        this, QRect(kCaptionX, rowY(9), 300, kFieldHeight));
}

} // namespace kalvon::editor
