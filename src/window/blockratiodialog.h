#pragma once
// The block occurrence dialog (frmBlockRatio, "Block Occurancy", 440 x 394; docs/layout.md): a
// number box for each of the seven shapes and sixteen specials, with sample tiles and icons
// from the current theme and each group's total. OK stores the boxes into the occurrence table
// (refusing a box that holds no percentage); Cancel stores nothing. Both hide the dialog: the
// owner makes a new one for the next opening, which reads the table again. Not modal.

#include "engine/store/occurrenceboxes.h"

#include <QDialog>
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace kalvon {

class Dialogs;
struct ThemeImages;
struct Themes;

class BlockRatioDialog final : public QDialog {
    Q_OBJECT
public:
    // `boxesEnabled` tells whether the boxes may be edited now (the game's state); it is asked
    // when the dialog opens and each time it becomes active.
    BlockRatioDialog(BlockOccurancy& percentages, const Themes& themes, const ThemeImages& images,
        Dialogs& dialogs, std::function<bool()> boxesEnabled, QWidget* parent = nullptr);

    // A game start disables both groups of boxes and its end enables them.
    void setBoxesEnabled(bool enabled);
    // Ratio_DrawBlocks: the samples from the current theme.
    void drawSamples();

    OccurrenceTexts texts() const;
    QLineEdit& box(int entry) { return *m_boxes.at(size_t(entry)); }
    QString shapeTotal() const;
    QString specialTotal() const;

    void cmdOK_Click();
    void cmdDefault_Click();

signals:
    // OK stored the table.
    void stored();

protected:
    void changeEvent(QEvent* event) override;

private:
    void updatepercent();
    void setTexts(const OccurrenceTexts& texts);
    void txtSpecials_Change(int entry);

    BlockOccurancy& m_percentages;
    const Themes& m_themes;
    const ThemeImages& m_images;
    Dialogs& m_dialogs;
    std::function<bool()> m_boxesEnabled;
    QGroupBox* m_fraNormal = nullptr;
    QGroupBox* m_fraSpecials = nullptr;
    std::array<QLineEdit*, kOccurancyEntries> m_boxes{};
    std::array<std::array<QLabel*, 4>, kPieceTypes> m_picBlock{};
    std::array<QLabel*, kSpecialTypes> m_picSpecials{};
    QLabel* m_lblNormalPercent = nullptr;
    QLabel* m_lblSpecialPercent = nullptr;
};

} // namespace kalvon
