#pragma once
// The editing window: the File, Theme Data and Help menus, the tab strip with the six pages,
// and the window's height, which follows the page shown.

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QTabWidget;

namespace kalvon::editor {

class EditorState;
class FileCommands;
struct PageContext;

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    EditorWindow(PageContext& context, FileCommands& commands);
    ~EditorWindow() override;

    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> mayClose);

    QTabWidget* tabs() const { return m_tabs; }
    // A menu entry by its object name ("mnuSaveAs", ...).
    QAction* action(const QString& name) const;

signals:
    void exitChosen();
    void aboutChosen();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus(FileCommands& commands);
    void buildPages(PageContext& context);
    void showModelPage();

    EditorState& m_state;
    int m_listener;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_client = nullptr;
    std::array<QAction*, 6> m_pageActions{};
    std::function<bool()> m_mayClose;
};

} // namespace kalvon::editor
