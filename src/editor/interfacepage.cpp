#include "editor/interfacepage.h"

#include "editor/animatedsetform.h"
#include "editor/controlbinder.h"
#include "editor/model/browsing.h"
#include "editor/pagecontext.h"
#include "editor/pagelayout.h"
#include "editor/previewbox.h"
#include "editor/previewpictures.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalvon::editor {

namespace {

using namespace layout;

// Captions in the order of interfaceBoxes().
const char* const kCaptions[] = {
    "Main/Fields Screen:",
    "Options Screen:",
    "Theme Previewer Screen:",
    "Server Screen:",
    "Chat Screen:",
    "Client Connect Screen:",
    "High Score Screen:",
    "Miscellaneous Screen:",
    "Menu Graphics:",
    "Internet Field Screen:",
};

} // namespace

InterfacePage::InterfacePage(PageContext& context, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kPageWidth, 352);
    ControlBinder& binder = context.binder;
    QGroupBox* iface = buildIncludedFrame(context, this, frameBelowIncludeBox(352), "chkIface",
        QStringLiteral("Include Interface in Theme"), "fraIface", QStringLiteral("Interface"),
        PartChoice::Always);

    const auto boxes = interfaceBoxes();
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
        const int y = rowY(i);
        caption(iface, this, QString::fromLatin1(kCaptions[i]), y);
        place(binder.lineEdit(boxes[static_cast<size_t>(i)], iface), this,
            QRect(kFieldX, y, kFieldWidth, kFieldHeight));
        connect(browseButton(iface, this, y, arrayName("cmdBrowseIface", i)), &QPushButton::clicked, this,
            [&context, i] { BrowseInterface(context.state, context.dialogs, i); });
        connect(previewButton(iface, this, y, arrayName("cmdPreviewIface", i)), &QPushButton::clicked, this,
            [&context, i] { context.previews.previewInterface(i); });
    }
    QCheckBox* transparent
        = binder.checkBox("chkIMenuTransparent", QStringLiteral("Enable Menu Graphic Transparency"), iface);
    place(transparent, this, QRect(kCaptionX, rowY(10), 300, kFieldHeight));

    place(new QLabel(QStringLiteral("Preview:"), this), this, QRect(kRightColumnX, 24, 204, 16));
    auto* preview = new PreviewBox(context.previews, kInterfacePreviewBox, PreviewBox::Fit::Scale, this);
    place(preview, this, QRect(kRightColumnX, 42, 204, 166));
}

} // namespace kalvon::editor
