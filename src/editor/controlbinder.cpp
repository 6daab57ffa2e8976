#include "editor/controlbinder.h"

#include "editor/model/controls.h"
#include "editor/model/editorstate.h"
#include "platform/qtext.h"
#include "platform/surface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace kalvon::editor {

ControlBinder::ControlBinder(EditorState& state)
    : m_state(state)
    , m_listener(state.addListener([this](BytesView name) { modelChanged(name); }))
{
}

ControlBinder::~ControlBinder()
{
    m_state.removeListener(m_listener);
}

void ControlBinder::bind(BytesView name, Role role, QWidget* widget)
{
    // Tests and tools find a control by its name.
    if (widget->objectName().isEmpty())
        widget->setObjectName(toQString(name));
    const auto entry = m_bindings.emplace(Bytes(name), Binding{ role, widget });
    show(name, entry->second);
}

QLineEdit* ControlBinder::lineEdit(BytesView name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
        [this, key = Bytes(name)](const QString& text) { m_state.setText(key, fromQString(text)); });
    bind(name, Role::Text, edit);
    return edit;
}

QPlainTextEdit* ControlBinder::textArea(BytesView name, QWidget* parent)
{
    auto* edit = new QPlainTextEdit(parent);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit, key = Bytes(name)] {
        m_state.setText(key, toModelLines(fromQString(edit->toPlainText())));
    });
    bind(name, Role::TextArea, edit);
    return edit;
}

QCheckBox* ControlBinder::checkBox(BytesView name, const QString& caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    // A click sets a clear or grey box and clears a set one; the model decides what shows.
    QObject::connect(box, &QCheckBox::clicked, box,
        [this, key = Bytes(name)] { m_state.setValue(key, m_state.value(key) == 1 ? 0 : 1); });
    bind(name, Role::Check, box);
    return box;
}

QComboBox* ControlBinder::comboBox(BytesView name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    for (std::string_view entry : listEntries(name))
        list->addItem(toQString(entry));
    QObject::connect(list, &QComboBox::activated, list,
        [this, key = Bytes(name)](int index) { m_state.setListIndex(key, index); });
    bind(name, Role::List, list);
    return list;
}

QWidget* ControlBinder::swatch(int index, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    bind(elementName("picPreviewColor", index), Role::Swatch, frame);
    return frame;
}

void ControlBinder::followEnabled(BytesView name, QWidget* widget)
{
    bind(name, Role::Enabled, widget);
}

void ControlBinder::followVisible(BytesView name, QWidget* widget)
{
    bind(name, Role::Visible, widget);
}

void ControlBinder::modelChanged(BytesView name)
{
    const auto range = m_bindings.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        show(name, it->second);
}

void ControlBinder::show(BytesView name, const Binding& binding)
{
    QWidget* widget = binding.widget;
    if (!widget)
        return;
    const QSignalBlocker quiet(widget);
    switch (binding.role) {
    case Role::Text: {
        auto* edit = static_cast<QLineEdit*>(widget);
        const QString text = toQString(m_state.text(name));
        if (edit->text() != text)
            edit->setText(text);
        return;
    }
    case Role::TextArea: {
        auto* edit = static_cast<QPlainTextEdit*>(widget);
        const QString text = toQString(toWidgetLines(m_state.text(name)));
        if (edit->toPlainText() != text)
            edit->setPlainText(text);
        return;
    }
    case Role::Check: {
        auto* box = static_cast<QCheckBox*>(widget);
        const int value = m_state.value(name);
        box->setTristate(value == 2);
        box->setCheckState(value == 2 ? Qt::PartiallyChecked : value == 1 ? Qt::Checked : Qt::Unchecked);
        return;
    }
    case Role::List: static_cast<QComboBox*>(widget)->setCurrentIndex(m_state.listIndex(name)); return;
    case Role::Swatch: {
        const int index = std::stoi(Bytes(name.substr(name.find('(') + 1)));
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(rgbFromColorRef(m_state.swatchColor(index))));
        widget->setPalette(palette);
        return;
    }
    case Role::Enabled: widget->setEnabled(m_state.enabled(name)); return;
    case Role::Visible: widget->setVisible(m_state.visible(name)); return;
    }
}

Bytes toModelLines(BytesView text)
{
    Bytes out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n' || text[i] == '\r')
            out += "\r\n";
        else
            out += text[i];
    }
    return out;
}

Bytes toWidgetLines(BytesView text)
{
    Bytes out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
}

} // namespace kalvon::editor
