#include "editor/editordialogs.h"

#include "editor/programinfo.h"
#include "platform/qtext.h"
#include "platform/ui/qtdialogs.h"

#include <QFileDialog>

namespace kalvon::editor {

namespace {

QtDialogs standardDialogs(QWidget* parent)
{
    return QtDialogs(parent, toQString(kProgramTitle));
}

// A message text may break its lines with a lone CR; it shows as a line break.
Bytes shownText(BytesView text)
{
    Bytes shown(text);
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '\r' && (i + 1 == shown.size() || shown[i + 1] != '\n'))
            shown[i] = '\n';
    }
    return shown;
}

} // namespace

MessageAnswer EditorDialogs::messageBox(
    BytesView text, BytesView title, MessageIcon icon, MessageButtons buttons)
{
    return standardDialogs(m_parent).messageBox(shownText(text), title, icon, buttons);
}

std::optional<Bytes> EditorDialogs::inputBox(BytesView prompt, BytesView title, BytesView defaultAnswer)
{
    return standardDialogs(m_parent).inputBox(prompt, title, defaultAnswer);
}

std::optional<Bytes> EditorDialogs::openFile(const FileDialogRequest& request)
{
    return standardDialogs(m_parent).openFile(request);
}

std::optional<Bytes> EditorDialogs::saveFile(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent, toQString(request.title), toQString(request.initialDir),
        QtDialogs::qtNameFilter(request.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return fromQString(dialog.selectedFiles().constFirst());
}

std::optional<uint32_t> EditorDialogs::chooseColor(uint32_t initial)
{
    return standardDialogs(m_parent).chooseColor(initial);
}

std::optional<FontChoice> EditorDialogs::chooseFont(const FontChoice& initial)
{
    return standardDialogs(m_parent).chooseFont(initial);
}

} // namespace kalvon::editor
