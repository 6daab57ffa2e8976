#include "editor/generalpage.h"

#include "editor/controlbinder.h"
#include "editor/model/browsing.h"
#include "editor/model/description.h"
#include "editor/pagecontext.h"
#include "editor/pagelayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kalvon::editor {

namespace {

using namespace layout;

// The rows of this page start right below the frame's title: it has no include box.
constexpr int kTop = 24;

int generalRow(int row)
{
    return rowY(row, kTop);
}

} // namespace

GeneralPage::GeneralPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kPageWidth, 352);
    ControlBinder& binder = context.binder;
    QGroupBox* general
        = frame(this, this, QStringLiteral("General Theme Information"), QRect(4, 4, kFrameWidth, 344));

    const auto textRow = [&](int row, const QString& text, std::string_view name) {
        caption(general, this, text, generalRow(row));
        place(
            binder.lineEdit(name, general), this, QRect(kFieldX, generalRow(row), kFieldWidth, kFieldHeight));
    };
    textRow(0, QStringLiteral("Theme Name:"), "txtThemeName");
    textRow(1, QStringLiteral("Theme Author:"), "txtAuthor");
    textRow(2, QStringLiteral("Theme Version"), "txtVersion");
    caption(general, this, QStringLiteral("Theme Type:"), generalRow(3));
    place(binder.comboBox("cmbType", general), this, QRect(kFieldX, generalRow(3) - 1, 160, kButtonHeight));

    // The longest caption of the editor takes two lines.
    QLabel* resourceCaption
        = caption(general, this, QStringLiteral("Resource File(Theme Type 1):"), generalRow(4) - 7);
    resourceCaption->setWordWrap(true);
    resourceCaption->resize(resourceCaption->width(), 32);
    QLineEdit* resource = binder.lineEdit("txtResource", general);
    place(resource, this, QRect(kFieldX, generalRow(4), kFieldWidth, kFieldHeight));
    binder.followEnabled("txtResource", resource);
    QPushButton* browseResource
        = browseButton(general, this, generalRow(4), QStringLiteral("cmdBrowseResource"));
    binder.followEnabled("cmdBrowseResource", browseResource);
    connect(browseResource, &QPushButton::clicked, this,
        [&context] { BrowseResource(context.state, context.dialogs, context.tempDir); });

    caption(general, this, QStringLiteral("Theme Description:"), generalRow(5));
    QPlainTextEdit* description = binder.textArea("txtDescription", general);
    place(description, this, QRect(kFieldX, generalRow(5), 306, 98));
    QPushButton* generate = button(general, this, QStringLiteral("Generate Description"),
        QRect(kCaptionX, generalRow(6), 146, 24), QStringLiteral("cmdGenerateDescription"));
    connect(generate, &QPushButton::clicked, this, [&context] { GenerateDescription(context.state); });

    QGroupBox* typeZero = frame(general, this, QStringLiteral("Theme Type 0"), subFrameRows(9, 11, kTop));
    binder.followEnabled("fraTheme0", typeZero);
    const int indented = kCaptionX + kSubFrameIndent;
    caption(typeZero, this, QStringLiteral("Skin File:"), generalRow(10), indented);
    place(binder.lineEdit("txtSkinFile", typeZero), this,
        QRect(kFieldX, generalRow(10), kFieldWidth, kFieldHeight));
    connect(browseButton(typeZero, this, generalRow(10), QStringLiteral("cmdBrowseSkin")),
        &QPushButton::clicked, this, [&context] { BrowseSkin(context.state, context.dialogs); });
    QCheckBox* transparent = binder.checkBox(
        "chkSkinTransparent", QStringLiteral("Use Skin File Transparency Effects"), typeZero);
    place(transparent, this, QRect(indented, generalRow(11), 300, kFieldHeight));

    auto* splash = new QLabel(this);
    splash->setPixmap(QPixmap(QString::fromStdString((context.imagesDir / "editor_splash.png").string())));
    splash->setScaledContents(true);
    place(splash, this, QRect(kRightColumnX, 24, 204, 94));
}

} // namespace kalvon::editor
