#pragma once
// The editor's dialogs: Qt's standard dialogs over the editing window, except that saving a
// theme replaces an existing file without asking (as Save As always did) and adds no extension.

#include "common/dialogs.h"

#include <QPointer>
#include <QWidget>

namespace kalvon::editor {

class EditorDialogs final : public Dialogs {
public:
    // The window the boxes belong to; until it exists they have no parent.
    void setParentWindow(QWidget* window) { m_parent = window; }

    MessageAnswer messageBox(
        BytesView text, BytesView title, MessageIcon icon, MessageButtons buttons) override;
    std::optional<Bytes> inputBox(BytesView prompt, BytesView title, BytesView defaultAnswer) override;
    std::optional<Bytes> openFile(const FileDialogRequest& request) override;
    std::optional<Bytes> saveFile(const FileDialogRequest& request) override;
    std::optional<uint32_t> chooseColor(uint32_t initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace kalvon::editor
