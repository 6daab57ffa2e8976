#include "editor/editorwindow.h"

#include "editor/backgroundpage.h"
#include "editor/blockspage.h"
#include "editor/generalpage.h"
#include "editor/interfacepage.h"
#include "editor/miscpage.h"
#include "editor/model/controls.h"
#include "editor/model/editorstate.h"
#include "editor/model/filecommands.h"
#include "editor/pagecontext.h"
#include "editor/programinfo.h"
#include "editor/soundspage.h"
#include "platform/qtext.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTabWidget>

namespace kalvon::editor {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 720;
constexpr int kMargin = 8;

} // namespace

EditorWindow::EditorWindow(PageContext& context, FileCommands& commands)
    : m_state(context.state)
    , m_listener(context.state.addListener([this](BytesView name) {
        if (name == "tabMain")
            showModelPage();
    }))
{
    setWindowTitle(toQString(kProgramTitle));
    buildMenus(commands);
    buildPages(context);
    showModelPage();
}

EditorWindow::~EditorWindow()
{
    m_state.removeListener(m_listener);
}

void EditorWindow::buildMenus(FileCommands& commands)
{
    const auto entry
        = [](QMenu* menu, const char* name, const QString& caption, const QKeySequence& key = {}) {
              QAction* action = menu->addAction(caption);
              action->setObjectName(QString::fromLatin1(name));
              action->setShortcut(key);
              return action;
          };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    connect(entry(file, "mnuNewTheme", QStringLiteral("Theme &New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
        &QAction::triggered, this, [&commands] { commands.newTheme(); });
    connect(entry(file, "mnuLoadTheme", QStringLiteral("Theme &Load"), QKeySequence(Qt::CTRL | Qt::Key_L)),
        &QAction::triggered, this, [&commands] { commands.loadTheme(); });
    connect(entry(file, "mnuSaveTheme", QStringLiteral("Theme &Save"), QKeySequence(Qt::CTRL | Qt::Key_S)),
        &QAction::triggered, this, [&commands] { commands.saveTheme(); });
    // Inside a text box Ctrl+A selects its text: the box takes the key before the menu does.
    connect(entry(file, "mnuSaveAs", QStringLiteral("Theme Save &As"), QKeySequence(Qt::CTRL | Qt::Key_A)),
        &QAction::triggered, this, [&commands] { commands.saveAs(); });
    file->addSeparator();
    connect(entry(file, "mnuExit", QStringLiteral("E&xit")), &QAction::triggered, this,
        &EditorWindow::exitChosen);

    QMenu* data = menuBar()->addMenu(QStringLiteral("&Theme Data"));
    for (const PageInfo& page : pageTable()) {
        QAction* action = data->addAction(toQString(page.menuCaption));
        action->setObjectName(toQString(page.menuEntry));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, tab = page.tab] {
            m_state.chooseMenuPage(tab);
            showModelPage();
        });
        m_pageActions[static_cast<size_t>(page.tab - 1)] = action;
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(entry(help, "mnuAbout", QStringLiteral("About")), &QAction::triggered, this,
        &EditorWindow::aboutChosen);
}

void EditorWindow::buildPages(PageContext& context)
{
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    m_tabs = new QTabWidget(m_client);
    m_tabs->setObjectName(QStringLiteral("tabMain"));
    m_tabs->move(kMargin, kMargin);
    const std::array<QWidget*, 6> pages = {
        new GeneralPage(context, m_tabs),
        new InterfacePage(context, m_tabs),
        new BackgroundPage(context, m_tabs),
        new BlocksPage(context, m_tabs),
        new MiscPage(context, m_tabs),
        new SoundsPage(context, m_tabs),
    };
    for (const PageInfo& page : pageTable()) {
        const auto index = static_cast<size_t>(page.tab - 1);
        const QString iconFile = QString::fromStdString(
            (context.imagesDir / ("editor_tab" + std::to_string(index) + ".png")).string());
        pages[index]->setObjectName(toQString(page.page));
        m_tabs->addTab(pages[index], QIcon(iconFile), toQString(page.caption));
        m_tabs->setTabToolTip(static_cast<int>(index), toQString(page.toolTip));
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { m_state.selectTab(index + 1); });
}

void EditorWindow::showModelPage()
{
    const int page = m_state.shownPage();
    if (page < 1)
        return;
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(page - 1);
    }
    for (const PageInfo& info : pageTable())
        m_pageActions[static_cast<size_t>(info.tab - 1)]->setChecked(m_state.menuChecked(info.menuEntry));
    const int tabHeight = m_state.tabStripHeightTwips() / kTwipsPerPixel;
    m_tabs->setFixedSize(kClientWidth - 2 * kMargin, tabHeight);
    m_client->setFixedSize(kClientWidth, tabHeight + 2 * kMargin);
    setFixedSize(sizeHint());
}

QAction* EditorWindow::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void EditorWindow::setCloseGuard(std::function<bool()> mayClose)
{
    m_mayClose = std::move(mayClose);
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    if (m_mayClose && !m_mayClose())
        event->ignore();
    else
        event->accept();
}

} // namespace kalvon::editor
