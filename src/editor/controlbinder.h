#pragma once
// Binds the editing window's widgets to the model by control name. The model owns every
// value: an edit by the user goes to the model (which runs the control's handler), and every
// change the model reports is mirrored into the widgets with their signals quiet, so a value
// set by the program never reaches the model a second time.

#include "common/bytes.h"

#include <QPointer>
#include <QString>
#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kalvon::editor {

class EditorState;

class ControlBinder {
public:
    explicit ControlBinder(EditorState& state);
    ~ControlBinder();
    ControlBinder(const ControlBinder&) = delete;
    ControlBinder& operator=(const ControlBinder&) = delete;

    QLineEdit* lineEdit(BytesView name, QWidget* parent);
    // A multi-line box; its lines are kept in the model with CR LF between them.
    QPlainTextEdit* textArea(BytesView name, QWidget* parent);
    QCheckBox* checkBox(BytesView name, const QString& caption, QWidget* parent);
    // A list filled with the model's entries of `name`.
    QComboBox* comboBox(BytesView name, QWidget* parent);
    // The colour swatch `index`, beside its colour box.
    QWidget* swatch(int index, QWidget* parent);
    // `widget` follows the model's Enabled or Visible flag of `name`.
    void followEnabled(BytesView name, QWidget* widget);
    void followVisible(BytesView name, QWidget* widget);

private:
    enum class Role { Text, TextArea, Check, List, Swatch, Enabled, Visible };
    struct Binding {
        Role role;
        QPointer<QWidget> widget;
    };

    void bind(BytesView name, Role role, QWidget* widget);
    void modelChanged(BytesView name);
    void show(BytesView name, const Binding& binding);

    EditorState& m_state;
    int m_listener;
    std::multimap<Bytes, Binding, std::less<>> m_bindings;
};

// Line breaks as the model keeps them (CR LF) and as a text widget shows them (LF).
Bytes toModelLines(BytesView text);
Bytes toWidgetLines(BytesView text);

} // namespace kalvon::editor
