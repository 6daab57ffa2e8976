#pragma once
// The About window: title, version, credits, the program icon, the notice and a link that
// opens the maker's web page. Not modal.

#include <QDialog>
#include <QIcon>
#include <functional>

namespace kalvon::editor {

class AboutWindow : public QDialog {
public:
    // `openLink` opens the web address; whether it could is not reported.
    AboutWindow(const QIcon& icon, std::function<void(const QString&)> openLink, QWidget* parent);
};

} // namespace kalvon::editor
