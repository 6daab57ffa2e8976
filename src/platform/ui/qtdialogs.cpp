#include "platform/ui/qtdialogs.h"

#include "platform/qtext.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace kalvon {

namespace {

// Turns "*.kvx" into "*.[kK][vV][xX]" so the pattern matches a name in either case.
QString caseBlindPattern(const QString& pattern)
{
    QString out;
    for (QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower != upper)
            out += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Abort: return MessageAnswer::Abort;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    case QMessageBox::Ignore: return MessageAnswer::Ignore;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
    }
}

QColor qtColor(uint32_t colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

// Steps a stay-on-top window out of the way for the life of one modal box.
class ModalScope {
public:
    explicit ModalScope(const std::function<void(bool)>& aroundModal)
        : m_aroundModal(aroundModal)
    {
        if (m_aroundModal)
            m_aroundModal(false);
    }
    ~ModalScope()
    {
        if (m_aroundModal)
            m_aroundModal(true);
    }

private:
    const std::function<void(bool)>& m_aroundModal;
};

} // namespace

QtDialogs::QtDialogs(QWidget* parent, QString programName, std::function<void(bool)> aroundModal)
    : m_parent(parent)
    , m_programName(std::move(programName))
    , m_aroundModal(std::move(aroundModal))
{
}

QString QtDialogs::titleOrProgram(BytesView title) const
{
    return title.empty() ? m_programName : toQString(title);
}

QString QtDialogs::qtNameFilter(BytesView filter)
{
    QStringList entries;
    for (const FileFilter& entry : parseFileFilter(filter)) {
        QStringList patterns;
        for (const Bytes& pattern : entry.patterns)
            patterns << caseBlindPattern(toQString(pattern));
        entries << toQString(entry.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtDialogs::boxText(BytesView text)
{
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

MessageAnswer QtDialogs::messageBox(BytesView text, BytesView title, MessageIcon icon, MessageButtons buttons)
{
    ModalScope scope(m_aroundModal);
    QMessageBox box(qtIcon(icon), titleOrProgram(title), boxText(text), qtButtons(buttons), m_parent);
    // A name or path in the text is shown as it is, never as markup.
    box.setTextFormat(Qt::PlainText);
    return answerOf(box.exec());
}

std::optional<Bytes> QtDialogs::inputBox(BytesView prompt, BytesView title, BytesView defaultAnswer)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(titleOrProgram(title));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(boxText(prompt));
    if (auto* label = dialog.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(toQString(defaultAnswer));
    ModalScope scope(m_aroundModal);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return fromQString(dialog.textValue());
}

std::optional<Bytes> QtDialogs::fileDialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(
        m_parent, toQString(request.title), toQString(request.initialDir), qtNameFilter(request.filter));
    // Qt's own dialog honours the case-blind patterns on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.fileName.empty())
        dialog.selectFile(toQString(request.fileName));
    ModalScope scope(m_aroundModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return fromQString(dialog.selectedFiles().constFirst());
}

std::optional<Bytes> QtDialogs::openFile(const FileDialogRequest& request)
{
    return fileDialog(request, false);
}

std::optional<Bytes> QtDialogs::saveFile(const FileDialogRequest& request)
{
    return fileDialog(request, true);
}

std::optional<uint32_t> QtDialogs::chooseColor(uint32_t initial)
{
    ModalScope scope(m_aroundModal);
    const QColor chosen = QColorDialog::getColor(qtColor(initial), m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<uint32_t>(chosen.red()) | (static_cast<uint32_t>(chosen.green()) << 8)
        | (static_cast<uint32_t>(chosen.blue()) << 16);
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial)
{
    QFont font(toQString(initial.name));
    font.setPointSizeF(initial.size > 0 ? initial.size : 8.0);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikeout);
    ModalScope scope(m_aroundModal);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, m_parent);
    if (!ok)
        return std::nullopt;
    return FontChoice{ fromQString(chosen.family()), chosen.pointSizeF(), chosen.bold(), chosen.italic(),
        chosen.underline(), chosen.strikeOut() };
}

} // namespace kalvon
