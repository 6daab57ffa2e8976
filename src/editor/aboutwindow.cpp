#include "editor/aboutwindow.h"

#include "editor/programinfo.h"
#include "platform/qtext.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace kalvon::editor {

AboutWindow::AboutWindow(const QIcon& icon, std::function<void(const QString&)> openLink, QWidget* parent)
    : QDialog(parent)
{
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About ") + toQString(kProgramTitle));
    setWindowIcon(icon);

    auto* grid = new QGridLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picIcon"));
    picture->setPixmap(icon.pixmap(48, 48));
    grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);

    const auto label = [&](const char* name, const QString& text, int row) {
        auto* item = new QLabel(text, this);
        item->setObjectName(QString::fromLatin1(name));
        grid->addWidget(item, row, 1);
        return item;
    };
    QLabel* title = label("lblTitle", toQString(kProgramTitle), 0);
    QFont font = title->font();
    font.setPointSize(14);
    font.setBold(true);
    title->setFont(font);
    label("lblVersion", toQString(versionText()), 1);
    QString credits = toQString(kCredits);
    credits.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    label("lblDescription", credits, 2);
    label("lblLatest", toQString(kLatestVersionText), 3);
    const QString address = toQString(kWebAddress);
    QLabel* link = label("lblLink", QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()), 4);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, [open = std::move(openLink)](const QString& url) {
        if (open)
            open(url);
    });
    label("lblCopyright", toQString(kCopyright), 5);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    grid->addWidget(ok, 6, 1, Qt::AlignRight);
}

} // namespace kalvon::editor
