#pragma once
// The About window (frmAbout, framed, 360 x 136; docs/layout.md): the game's picture, which
// opens the game's web page, the about text, a link to the maker's home page and OK. Not modal.

#include "common/bytes.h"

#include <QDialog>
#include <filesystem>
#include <functional>

namespace kalvon {

// VersionDate: the build date the about text names.
inline constexpr char kVersionDate[] = "1-14-2003";
inline constexpr char kMakerHomePage[] = "https://kalvon.example.org/";
inline constexpr char kGamePage[] = "https://kalvon.example.org/kalvon/";

// The about text: its six lines (name and version, author, contact, a blank line, the build
// date, the artwork credits) joined by CR.
Bytes aboutText(BytesView version);

class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    // The picture is images/about.png of `imagesFolder`; `openLink` opens a web address (whether
    // it could is not told).
    AboutWindow(BytesView version, const std::filesystem::path& imagesFolder,
        std::function<void(const QString&)> openLink, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> m_openLink;
    QWidget* m_picAbout = nullptr;
};

} // namespace kalvon
