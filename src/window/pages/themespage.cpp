#include "window/pages/themespage.h"

#include "platform/qtext.h"
#include "render/previewpictures.h"
#include "render/windowpictures.h"
#include "window/pictureview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace kalvon {

namespace {

// The preview options' captions are two lines of 10 pixels.
constexpr int kSmallFontPixels = 10;

void setFontPixels(QWidget* widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

} // namespace

ThemesPage::ThemesPage(QWidget& area, QObject* parent)
    : Page(area, parent)
{
    m_tmrPreview.setObjectName(QStringLiteral("tmrPreview"));
    m_tmrPreview.setInterval(10);
    connect(&m_tmrPreview, &QTimer::timeout, this, &ThemesPage::previewTick);

    buildPreview();
    buildBrowser();
    buildPreviewOptions();

    // The page's list; the preview's LED column shows last.
    for (QLabel* label : m_lblThemeMenu)
        listed(label);
    for (const char* name : { "cboThemes", "cmdBrowsePreview", "cmdGeneratePreview", "cmdUseTheme",
             "lblThemeAuthor", "lblThemeType", "lblThemeTitle", "lblThemeVersion", "lblThemeView",
             "picField(3)", "picBlkPreview", "picSpecPreview", "picInetBlkPreview", "picNextPiece(3)",
             "picSpecials(0)", "picInetPreview", "chkBltBlocks", "chkSpecPreview", "chkPreviewBlocks",
             "chkPreviewBack", "chkPreviewInetBG", "chkPreviewNext", "cmbSounds", "cmdPlaySound",
             "cmdOpenDoor", "cmdCloseDoor", "cmdExplode", "cmdBomb", "cmdInetOpenDoor", "cmdInetCloseDoor" })
        listed(control<QWidget>(QLatin1String(name)));
    listed(m_picLeds0);
}

void ThemesPage::buildPreview()
{
    m_picField3 = makePicture(controlName("picField", 3), QRect(24, 60, 192, 352));
    m_picLeds0 = makePicture(controlName("picLeds", 0), QRect(220, 60, 8, 352));
    m_picSpecials0 = makePicture(controlName("picSpecials", 0), QRect(40, 418, 160, 16));
    // The preview's tests can be used once a preview is made.
    const char* tests[][2] = { { "cmdOpenDoor", "Open Door" }, { "cmdCloseDoor", "Close Door" },
        { "cmdExplode", "Quad Explosion" }, { "cmdBomb", "Block Bomb" } };
    for (int i = 0; i < 4; ++i) {
        makeButton(QLatin1String(tests[i][0]), QRect(24 + 104 * (i % 2), 440 + 24 * (i / 2), 100, 20),
            QLatin1String(tests[i][1]))
            ->setEnabled(false);
    }
    m_cmdOpenDoor = control<QPushButton>(QStringLiteral("cmdOpenDoor"));

    m_picInetPreview = makePicture(QStringLiteral("picInetPreview"), QRect(252, 60, 96, 176));
    m_picNextPiece3 = makePicture(controlName("picNextPiece", 3), QRect(351, 60, 77, 77));
    makeButton(
        QStringLiteral("cmdInetOpenDoor"), QRect(252, 242, 176, 20), QStringLiteral("Open Internet Door"))
        ->setEnabled(false);
    makeButton(
        QStringLiteral("cmdInetCloseDoor"), QRect(252, 266, 176, 20), QStringLiteral("Close Internet Door"))
        ->setEnabled(false);

    // Samples and sounds.
    m_picBlkPreview = makePicture(QStringLiteral("picBlkPreview"), QRect(256, 330, 96, 16));
    m_picSpecPreview = makePicture(QStringLiteral("picSpecPreview"), QRect(256, 352, 96, 48));
    m_picInetBlkPreview = makePicture(QStringLiteral("picInetBlkPreview"), QRect(256, 406, 96, 16));
    const struct {
        int index;
        QRect rect;
        const char* caption;
    } captions[] = { { 8, { 358, 330, 66, 16 }, "Blocks" }, { 9, { 358, 352, 66, 16 }, "Specials" },
        { 10, { 358, 406, 66, 16 }, "Internet" }, { 7, { 256, 436, 44, 16 }, "Sound:" } };
    for (const auto& caption : captions) {
        m_lblThemeMenu[size_t(caption.index)] = makeLabel(
            controlName("lblThemeMenu", caption.index), caption.rect, QLatin1String(caption.caption));
    }
    m_cmbSounds = makeComboBox(QStringLiteral("cmbSounds"), QRect(302, 434, 118, 20), false);
    makeButton(QStringLiteral("cmdPlaySound"), QRect(256, 460, 164, 20), QStringLiteral("Play Sound"));
}

void ThemesPage::buildBrowser()
{
    auto* view
        = makeLabel(QStringLiteral("lblThemeView"), QRect(452, 60, 160, 28), QString(), Qt::AlignCenter);
    m_lblThemeMenu[6]
        = makeLabel(controlName("lblThemeMenu", 6), QRect(452, 92, 160, 16), QStringLiteral("Theme:"));
    m_cboThemes = makeComboBox(QStringLiteral("cboThemes"), QRect(452, 108, 160, 20), true);
    makeButton(QStringLiteral("cmdBrowsePreview"), QRect(452, 132, 160, 22), QStringLiteral("Browse"));
    makeButton(
        QStringLiteral("cmdGeneratePreview"), QRect(452, 156, 160, 22), QStringLiteral("Generate Preview"));
    makeButton(QStringLiteral("cmdUseTheme"), QRect(452, 180, 160, 22), QStringLiteral("Use This Theme"));
    const char* description[][2]
        = { { "lblThemeTitle", "Theme Name: Unknown" }, { "lblThemeAuthor", "Theme Author: Unknown" },
              { "lblThemeVersion", "Theme Version: Unknown" }, { "lblThemeType", "Theme Type: 0" } };
    std::array<QLabel*, 4> labels{};
    for (size_t i = 0; i < labels.size(); ++i) {
        labels[i] = makeLabel(QLatin1String(description[i][0]), QRect(452, 212 + 16 * int(i), 160, 15),
            QLatin1String(description[i][1]));
    }
    // In the order the theme's colour reaches them: author, type, title, version, browser.
    m_themeLabels = { labels[1], labels[3], labels[0], labels[2], view };
}

void ThemesPage::buildPreviewOptions()
{
    const char* rows[][2] = { { "chkPreviewBack", "Animate Background" },
        { "chkPreviewInetBG", "Animate Internet Background" },
        { "chkPreviewNext", "Animate Next Piece Window" }, { "chkSpecPreview", "Animate Special Window" },
        { "chkPreviewBlocks", "Animate Blocks" }, { "chkBltBlocks", "Show Blocks on Background" } };
    for (int i = 0; i < 6; ++i) {
        const int y = 318 + 27 * i;
        makeCheckBox(QLatin1String(rows[i][0]), QRect(452, y, 13, 13));
        QLabel* caption = makeLabel(controlName("lblThemeMenu", i), QRect(470, y - 2, 146, 26),
            QLatin1String(rows[i][1]), Qt::AlignLeft | Qt::AlignTop);
        caption->setWordWrap(true);
        setFontPixels(caption, kSmallFontPixels);
        m_lblThemeMenu[size_t(i)] = caption;
    }
}

void ThemesPage::ShowThemeControls()
{
    setListedVisible(true);
    if (m_cmdOpenDoor->isEnabledTo(&area()))
        m_tmrPreview.start();
}

void ThemesPage::HideThemeControls()
{
    setListedVisible(false);
    m_tmrPreview.stop();
}

void ThemesPage::fillThemeList(const std::vector<Bytes>& files, const QString& text)
{
    m_cboThemes->clear();
    for (const Bytes& file : files)
        m_cboThemes->addItem(toQString(file));
    m_cboThemes->setEditText(text);
}

void ThemesPage::showBrowserVersion(BytesView version)
{
    m_themeLabels.back()->setText(QStringLiteral("Kalvon Theme Browser\nv") + toQString(version));
}

void ThemesPage::fillSoundList()
{
    m_cmbSounds->clear();
    m_cmbSounds->addItems({ QStringLiteral("Start Game"), QStringLiteral("Lose Game"),
        QStringLiteral("Win Game"), QStringLiteral("Clear Line"), QStringLiteral("Quad"),
        QStringLiteral("Drop Block"), QStringLiteral("Rotate Block"), QStringLiteral("Explosion"),
        QStringLiteral("Chat Message"), QStringLiteral("GUI Click"), QStringLiteral("Holy Shield") });
    m_cmbSounds->setCurrentIndex(0);
}

void ThemesPage::colorLabels(const ColorTable& colors)
{
    for (QLabel* label : m_lblThemeMenu)
        setLabelColor(label, colors[kColorThemes]);
    for (QLabel* label : m_themeLabels)
        setLabelColor(label, colors[kColorThemes]);
}

void ThemesPage::attachPictures(WindowPictures& pictures)
{
    m_picField3->showBox(pictures.picField[3]);
    m_picLeds0->showBox(pictures.picLeds[0]);
    m_picSpecials0->showBox(pictures.picSpecials[0]);
    m_picNextPiece3->showBox(pictures.picNextPiece[3]);
    m_picInetPreview->showBox(pictures.picInetPreview);
    m_picBlkPreview->showBox(pictures.picBlkPreview);
    m_picSpecPreview->showBox(pictures.picSpecPreview);
    m_picInetBlkPreview->showBox(pictures.picInetBlkPreview);
}

void ThemesPage::bindPreviewChecks(PreviewChecks& checks)
{
    const std::pair<const char*, bool PreviewChecks::*> boxes[] = {
        { "chkPreviewBack", &PreviewChecks::background },
        { "chkPreviewInetBG", &PreviewChecks::internetBackground },
        { "chkPreviewNext", &PreviewChecks::nextPiece }, { "chkSpecPreview", &PreviewChecks::specialWindow },
        { "chkPreviewBlocks", &PreviewChecks::blocks }, { "chkBltBlocks", &PreviewChecks::blocksOnBackground }
    };
    for (const auto& [name, checked] : boxes) {
        QCheckBox* box = control<QCheckBox>(QLatin1String(name));
        checks.*checked = box->isChecked();
        connect(
            box, &QCheckBox::toggled, this, [&checks, checked = checked](bool on) { checks.*checked = on; });
    }
}

void ThemesPage::showThemeDescription(
    const QString& title, const QString& author, const QString& version, const QString& type)
{
    control<QLabel>(QStringLiteral("lblThemeTitle"))->setText(title);
    control<QLabel>(QStringLiteral("lblThemeAuthor"))->setText(author);
    control<QLabel>(QStringLiteral("lblThemeVersion"))->setText(version);
    control<QLabel>(QStringLiteral("lblThemeType"))->setText(type);
}

void ThemesPage::setPreviewBoxesEnabled(bool enabled)
{
    for (const char* name : { "chkPreviewNext", "chkPreviewBack", "chkPreviewBlocks", "chkPreviewInetBG" })
        control<QCheckBox>(QLatin1String(name))->setEnabled(enabled);
}

void ThemesPage::setTestButtonsEnabled(bool enabled)
{
    for (const char* name : kPreviewTestButtons)
        button(name).setEnabled(enabled);
}

void ThemesPage::setPreviewTimerRunning(bool running)
{
    if (running)
        m_tmrPreview.start();
    else
        m_tmrPreview.stop();
}

QPushButton& ThemesPage::button(const char* name) const
{
    return *control<QPushButton>(QLatin1String(name));
}

} // namespace kalvon
