#include "editor/animatedsetform.h"

#include "editor/controlbinder.h"
#include "editor/pagecontext.h"
#include "editor/pagelayout.h"
#include "editor/previewpictures.h"
#include "platform/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalvon::editor {

namespace {

using namespace layout;

const ImageSetButton& imageSetButton(std::string_view name)
{
    for (const ImageSetButton& button : imageSetButtons()) {
        if (button.button == name)
            return button;
    }
    throw std::invalid_argument("no such image set button");
}

class SetRows {
public:
    SetRows(PageContext& context, QWidget* page)
        : m_context(context)
        , m_page(page)
    {
    }

    // A caption and its box on row `row` of `parent`.
    QLineEdit* box(QWidget* parent, int row, const QString& text, std::string_view name, int width,
        int captionX = kCaptionX)
    {
        caption(parent, m_page, text, rowY(row), captionX);
        QLineEdit* edit = m_context.binder.lineEdit(name, parent);
        place(edit, m_page, QRect(kFieldX, rowY(row), width, kFieldHeight));
        return edit;
    }

    QCheckBox* check(QWidget* parent, int row, std::string_view name, const QString& text, int x = kCaptionX)
    {
        QCheckBox* box = m_context.binder.checkBox(name, text, parent);
        place(box, m_page, QRect(x, rowY(row), 224, kFieldHeight));
        return box;
    }

private:
    PageContext& m_context;
    QWidget* m_page;
};

} // namespace

void buildAnimatedSet(PageContext& context, QWidget* page, int pageHeight, const AnimatedSetForm& form)
{
    QGroupBox* frame = buildIncludedFrame(context, page, frameBelowIncludeBox(pageHeight), form.includeBox,
        form.includeCaption, form.frame, form.frameTitle, PartChoice::BySelector);

    const ImageSetButton& names = imageSetButton(form.browseButton);
    const PreviewPart& part = *findPreviewPart(form.previewButton);
    SetRows rows(context, page);
    rows.box(frame, 0, QStringLiteral("First Frame File:"), names.firstFrame, kFieldWidth);
    QPushButton* browse = browseButton(frame, page, rowY(0), toQString(names.button));
    QObject::connect(browse, &QPushButton::clicked, frame,
        [&context, &names] { BrowseImageSet(context.state, context.dialogs, names); });
    QPushButton* preview = previewButton(frame, page, rowY(0), toQString(part.button));
    QObject::connect(
        preview, &QPushButton::clicked, frame, [&context, &part] { context.previews.build(part); });

    const auto& [transparency, transparencyCaption] = form.transparencyBox;
    if (form.animationFrame.empty()) {
        // The explosion and the bomb always animate: no animation frame, no start or still frame.
        rows.box(frame, 1, QStringLiteral("File Name:"), names.root, kFieldWidth);
        rows.box(frame, 2, QStringLiteral("Extension:"), names.extension, kNumberWidth);
        rows.box(frame, 3, QStringLiteral("Frame Count:"), part.countBox, kNumberWidth);
        rows.box(frame, 4, QStringLiteral("Delay (ms):"), part.delayBox, kNumberWidth);
        rows.check(frame, 5, transparency, transparencyCaption);
        return;
    }

    rows.box(frame, 1, QStringLiteral("Frame Count:"), part.countBox, kNumberWidth);
    if (!transparency.empty())
        rows.check(frame, 1, transparency, transparencyCaption, 240);
    int row = 2;
    for (size_t i = 0; i < form.animateBoxes.size(); ++i) {
        const auto& [name, text] = form.animateBoxes[i];
        rows.check(frame, row, name, text, i % 2 == 0 ? kCaptionX : 240);
        if (i % 2 == 1 || i + 1 == form.animateBoxes.size())
            ++row;
    }

    QGroupBox* animation
        = layout::frame(frame, page, QStringLiteral("Animation Configuration"), subFrameRows(row, row + 6));
    context.binder.followEnabled(form.animationFrame, animation);
    const int indented = kCaptionX + kSubFrameIndent;
    rows.box(animation, row + 1, QStringLiteral("File Name:"), names.root, kFieldWidth, indented);
    rows.box(animation, row + 2, QStringLiteral("Extension:"), names.extension, kNumberWidth, indented);
    rows.box(animation, row + 3, QStringLiteral("Starting Frame:"), part.startBox, kNumberWidth, indented);
    rows.box(animation, row + 4, QStringLiteral("Still Frame:"), form.stillBox, kNumberWidth, indented);
    rows.box(animation, row + 5, QStringLiteral("Delay (ms):"), part.delayBox, kNumberWidth, indented);
    rows.check(animation, row + 6, part.reverseBox, QStringLiteral("Reverse Animation"), indented);
}

QGroupBox* buildIncludedFrame(PageContext& context, QWidget* page, const QRect& frameRect,
    std::string_view includeBox, const QString& includeCaption, std::string_view frame,
    const QString& frameTitle, PartChoice choice)
{
    ControlBinder& binder = context.binder;
    QCheckBox* include = binder.checkBox(includeBox, includeCaption, page);
    place(include, page, QRect(frameRect.x() + 4, frameRect.y() - 20, 230, 18));
    QGroupBox* box = layout::frame(page, page, frameTitle, frameRect);
    binder.followEnabled(frame, box);
    if (choice == PartChoice::BySelector) {
        binder.followVisible(includeBox, include);
        binder.followVisible(frame, box);
    }
    return box;
}

void buildSetSelector(PageContext& context, QWidget* page, std::string_view list)
{
    place(new QLabel(QStringLiteral("Data Set to Edit:"), page), page, QRect(240, 6, 108, 16));
    place(context.binder.comboBox(list, page), page, QRect(350, 2, 130, kButtonHeight));
}

} // namespace kalvon::editor
