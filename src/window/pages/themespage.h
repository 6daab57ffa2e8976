#pragma once
// The themes page (CurrentScreen 5): the theme browser with its list of theme files, the
// preview of a theme (a field with its LEDs and special window, the next-piece window, a small
// internet field, block and special samples) with its door, explosion and bomb tests and its
// animation boxes, and the theme's sounds. The preview's animation timer (tmrPreview) runs only
// while the page is shown and the preview's tests can be used.

#include "common/bytes.h"
#include "window/pages/page.h"

#include <QTimer>
#include <array>
#include <vector>

class QComboBox;
class QPushButton;

namespace kalvon {

struct PreviewChecks;
struct WindowPictures;

// The page's animation test buttons.
inline constexpr const char* kPreviewTestButtons[]
    = { "cmdOpenDoor", "cmdCloseDoor", "cmdExplode", "cmdBomb", "cmdInetOpenDoor", "cmdInetCloseDoor" };

inline constexpr char kThemeBrowserVersion[] = "1.0";

class ThemesPage final : public Page {
    Q_OBJECT
public:
    explicit ThemesPage(QWidget& area, QObject* parent = nullptr);

    // The page's controls shown (the preview's LED column last), then the preview timer started
    // when the door test can be used.
    void ShowThemeControls();
    // The page's controls hidden, then the preview timer stopped.
    void HideThemeControls();
    // The theme list (cboThemes) holds exactly `files` and shows `text` (the theme in use).
    void fillThemeList(const std::vector<Bytes>& files, const QString& text);
    // The browser's title label (lblThemeView): its name and version on two lines.
    void showBrowserVersion(BytesView version);
    // The sound list (cmbSounds) holds the theme's sounds by name, the first chosen.
    void fillSoundList();
    // colortheme on the captions and the theme's description labels.
    void colorLabels(const ColorTable& colors);
    // The renderer's preview pictures shown by the page's views.
    void attachPictures(WindowPictures& pictures);
    // The preview's animation boxes keep `checks` as they are set.
    void bindPreviewChecks(PreviewChecks& checks);

    // --- what the theme browser shows ---
    // The theme's description labels (lblThemeTitle, lblThemeAuthor, lblThemeVersion,
    // lblThemeType).
    void showThemeDescription(
        const QString& title, const QString& author, const QString& version, const QString& type);
    // The boxes a type-0 theme has nothing to animate for (next piece, background, blocks,
    // internet background).
    void setPreviewBoxesEnabled(bool enabled);
    // The six animation test buttons.
    void setTestButtonsEnabled(bool enabled);
    void setPreviewTimerRunning(bool running);
    // A button of the page by its design name ("cmdGeneratePreview").
    QPushButton& button(const char* name) const;

    QComboBox& themeList() { return *m_cboThemes; } // cboThemes
    QComboBox& soundList() { return *m_cmbSounds; } // cmbSounds
    QPushButton& openDoorButton() { return *m_cmdOpenDoor; } // cmdOpenDoor
    const QTimer& previewTimer() const { return m_tmrPreview; } // tmrPreview

signals:
    // A tick of the preview's animation.
    void previewTick();

private:
    void buildPreview();
    void buildBrowser();
    void buildPreviewOptions();

    std::array<QLabel*, 11> m_lblThemeMenu{};
    std::array<QLabel*, 5> m_themeLabels{}; // author, type, title, version, browser
    PictureView* m_picLeds0 = nullptr;
    PictureView* m_picField3 = nullptr;
    PictureView* m_picNextPiece3 = nullptr;
    PictureView* m_picSpecials0 = nullptr;
    PictureView* m_picInetPreview = nullptr;
    PictureView* m_picBlkPreview = nullptr;
    PictureView* m_picSpecPreview = nullptr;
    PictureView* m_picInetBlkPreview = nullptr;
    QComboBox* m_cboThemes = nullptr;
    QComboBox* m_cmbSounds = nullptr;
    QPushButton* m_cmdOpenDoor = nullptr;
    QTimer m_tmrPreview;
};

} // namespace kalvon
