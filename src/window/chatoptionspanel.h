#pragma once
// The chat page's options panel (picChatOptions, 424 x 392, in the place of the chat box): the
// sixteen colour swatches of the chat with their captions, the chat font and the OK, Defaults
// and Cancel buttons (docs/layout.md). The swatches are the panel's editing state: a click on
// one picks its colour in the colour dialog, Defaults paints the default colours, and only OK
// copies the swatches and the font into the chat options. The chat page shows the panel with
// openPanel() and takes it away again on closed().

#include "engine/store/options.h"

#include <QStringList>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;

namespace kalvon {

class Dialogs;

class ChatOptionsPanel final : public QWidget {
    Q_OBJECT
public:
    ChatOptionsPanel(ChatOptions& options, Dialogs& dialogs, QWidget* parent = nullptr);

    // The swatches take the chat options' colours (after the settings were read).
    void paintSwatches();
    // The font menu: the font list is filled with `fonts` (the program's default font name
    // added when the system lacks it), the chat font is selected, and the panel is shown.
    void openPanel(QStringList fonts);
    // The colour a swatch (0..15) shows.
    int32_t swatchColor(int index) const { return m_swatches.at(size_t(index)); }
    QLabel& swatch(int index) { return *m_lblColor.at(size_t(index)); }
    QComboBox& fontList() { return *m_cmbFonts; }

    void cmdChatOptionsOK_Click();
    void cmdChatOptionsDefault_Click();
    void cmdChatOptionsCancel_Click();
    void lblColor_Click(int index);

signals:
    // OK stored the options: the chat boxes take the new background colour.
    void applied();
    // The panel was hidden by OK or Cancel: the chat box comes back.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintSwatch(int index, int32_t color);

    ChatOptions& m_options;
    Dialogs& m_dialogs;
    std::array<int32_t, 16> m_swatches{};
    std::array<QLabel*, 16> m_lblColor{};
    QComboBox* m_cmbFonts = nullptr;
};

} // namespace kalvon
