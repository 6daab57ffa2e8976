#pragma once
// The help window: the program's own HTML help (data/help/), shown in a window of the program
// and opened at its index page. Links between the help pages stay inside the window; links to
// the web open in the desktop's browser.

#include <QWidget>
#include <filesystem>

class QTextBrowser;

namespace kalvon {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    // `helpFolder` holds index.html and the pages it links to.
    explicit HelpWindow(std::filesystem::path helpFolder, QWidget* parent = nullptr);

    // ShowHelp: the window shown at the index page and brought to the front. When the help is
    // missing the window says so.
    void ShowHelp();

    QTextBrowser& browser() { return *m_browser; }

private:
    std::filesystem::path m_helpFolder;
    QTextBrowser* m_browser = nullptr;
};

} // namespace kalvon
