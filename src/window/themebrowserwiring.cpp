#include "window/themebrowserwiring.h"

#include "engine/store/options.h"
#include "game/gameside.h"
#include "game/internetplay.h"
#include "platform/qtext.h"
#include "platform/soundeffects.h"
#include "render/previewpictures.h"
#include "render/themepaths.h"
#include "render/themepreview.h"
#include "window/loadingscreen.h"
#include "window/mainform.h"
#include "window/mainwindow.h"
#include "window/pages/optionspage.h"
#include "window/pages/themespage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace kalvon {

ThemeBrowserWiring::ThemeBrowserWiring(ThemeBrowserWiringParts parts)
    : m(std::move(parts))
{
}

void ThemeBrowserWiring::connectControls(
    ThemeBrowser& browser, ThemePreview& preview, PreviewPictures& pictures)
{
    ThemesPage& page = m.window.themesPage();
    const std::pair<const char*, void (ThemeBrowser::*)()> buttons[] = {
        { "cmdBrowsePreview", &ThemeBrowser::browsePreview },
        { "cmdGeneratePreview", &ThemeBrowser::generatePreview },
        { "cmdUseTheme", &ThemeBrowser::useTheme },
        { "cmdPlaySound", &ThemeBrowser::playSound },
        { "cmdOpenDoor", &ThemeBrowser::openDoor },
        { "cmdCloseDoor", &ThemeBrowser::closeDoor },
        { "cmdExplode", &ThemeBrowser::explode },
        { "cmdBomb", &ThemeBrowser::startBomb },
        { "cmdInetOpenDoor", &ThemeBrowser::openInternetDoor },
        { "cmdInetCloseDoor", &ThemeBrowser::closeInternetDoor },
    };
    for (const auto& [name, handler] : buttons)
        QObject::connect(&page.button(name), &QPushButton::clicked, &page,
            [&browser, handler = handler] { (browser.*handler)(); });
    page.bindPreviewChecks(pictures.checks);
    QObject::connect(&page, &ThemesPage::previewTick, &page, [&preview] { preview.stepPreview(); });

    const OptionsPage& options = m.window.optionsPage();
    QObject::connect(options.control<QPushButton>(QStringLiteral("cmdThemeBrowse")), &QPushButton::clicked,
        &page, [&browser] { browser.browseTheme(); });
    QObject::connect(options.control<QPushButton>(QStringLiteral("cmdPreview")), &QPushButton::clicked, &page,
        [&browser] { browser.showPreviewer(); });
}

Bytes ThemeBrowserWiring::themeListText() const
{
    return fromQString(m.window.themesPage().themeList().currentText());
}

void ThemeBrowserWiring::setThemeListText(BytesView path)
{
    m.window.themesPage().themeList().setEditText(toQString(path));
}

void ThemeBrowserWiring::showThemeDescription(
    BytesView title, BytesView author, BytesView version, BytesView type)
{
    m.window.themesPage().showThemeDescription(
        toQString(title), toQString(author), toQString(version), toQString(type));
}

void ThemeBrowserWiring::setPreviewBoxesEnabled(bool enabled)
{
    m.window.themesPage().setPreviewBoxesEnabled(enabled);
}

void ThemeBrowserWiring::setGeneratePreviewEnabled(bool enabled)
{
    m.window.themesPage().button("cmdGeneratePreview").setEnabled(enabled);
}

void ThemeBrowserWiring::setTestButtonsEnabled(bool enabled)
{
    m.window.themesPage().setTestButtonsEnabled(enabled);
}

void ThemeBrowserWiring::setExplodeEnabled(bool enabled)
{
    m.window.themesPage().button("cmdExplode").setEnabled(enabled);
}

void ThemeBrowserWiring::setPreviewTimerRunning(bool running)
{
    m.window.themesPage().setPreviewTimerRunning(running);
}

int ThemeBrowserWiring::chosenSound() const
{
    return m.window.themesPage().soundList().currentIndex();
}

Bytes ThemeBrowserWiring::themeBoxText() const
{
    return m.options.general.theme;
}

void ThemeBrowserWiring::setThemeBoxText(BytesView path)
{
    m.options.general.theme = Bytes(path);
    m.window.optionsPage().themeBox().setText(toQString(path));
}

bool ThemeBrowserWiring::themeMusicChecked() const
{
    return m.options.sound.useThemeMusic == 1;
}

Bytes ThemeBrowserWiring::musicBoxText() const
{
    return m.options.sound.lastMusic;
}

Bytes ThemeBrowserWiring::caption() const
{
    return fromQString(m.window.caption());
}

void ThemeBrowserWiring::setCaption(BytesView text)
{
    m.window.setCaption(text);
}

void ThemeBrowserWiring::ShowFieldScreen()
{
    m.window.ShowFieldScreen();
}

void ThemeBrowserWiring::ShowOptionsScreen()
{
    m.window.ShowOptionsScreen();
}

void ThemeBrowserWiring::ShowThemeScreen()
{
    m.window.ShowThemeScreen();
}

void ThemeBrowserWiring::showLoadingWindow()
{
    m.loading.showLoading();
}

void ThemeBrowserWiring::closeLoadingWindow()
{
    if (m.loading.loadingVisible())
        m.loading.closeLoading();
}

void ThemeBrowserWiring::loadimages()
{
    m.form.loadimages();
}

void ThemeBrowserWiring::LoadGameMusic(BytesView file)
{
    // The browser has chosen between the theme's music and the music box; nothing while music
    // is off.
    if (m.options.sound.playMusic == 1)
        m.game.LoadGameMusic(file);
}

void ThemeBrowserWiring::importTnpTheme(BytesView path)
{
    if (m.importTnpTheme)
        m.importTnpTheme(path);
}

void ThemeBrowserWiring::playSoundNow(BytesView file)
{
    const std::filesystem::path path = themeFilePath(file, m.programDir);
    if (!path.empty())
        m.effects.play(path);
}

void ThemeBrowserWiring::themeFilesReplaced()
{
    m.effects.flush();
}

void ThemeBrowserWiring::DrawNetPlayerFields()
{
    for (int board = 1; board <= 5; ++board)
        m.internet.DrawNetPlayerField(board);
}

} // namespace kalvon
