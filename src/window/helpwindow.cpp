#include "window/helpwindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kalvon {

HelpWindow::HelpWindow(std::filesystem::path helpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_helpFolder(std::move(helpFolder))
{
    setWindowTitle(QStringLiteral("Kalvon Help"));
    resize(640, 520);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser);
}

void HelpWindow::ShowHelp()
{
    const std::filesystem::path index = m_helpFolder / "index.html";
    std::error_code error;
    if (std::filesystem::is_regular_file(index, error)) {
        m_browser->setSource(QUrl::fromLocalFile(QString::fromStdString(index.string())));
    } else {
        m_browser->setPlainText(
            QStringLiteral("The help could not be found: ") + QString::fromStdString(index.string()));
    }
    show();
    raise();
    activateWindow();
}

} // namespace kalvon
