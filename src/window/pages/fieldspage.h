#pragma once
// The fields page (CurrentScreen 1): the players' fields with their height LEDs, special windows
// and special names, the side panels with the next-piece windows and statistics, the name and
// score labels, the specials log and the talk box, and in internet play the five opponents'
// boards with their names. Which of them show depends on the game mode.

#include "common/bytes.h"
#include "engine/enginehost.h"
#include "engine/types.h"
#include "window/pages/page.h"

#include <array>

class QLabel;
class QLineEdit;
class QTextEdit;

namespace kalvon {

class FieldView;
class PictureView;
class Surface;
struct WindowPictures;

class FieldsPage final : public Page {
    Q_OBJECT
public:
    // `sidePanels` are the skin's pictures of the two side panels (player 1's, player 2's).
    FieldsPage(QWidget& area, const std::array<Surface, 2>& sidePanels, QObject* parent = nullptr);

    // --- the page's procedures ---
    // Both players' controls, the log, the names and the side panels shown, the talk box
    // hidden; the score labels only in one-player mode.
    void ShowLocalFields(GameMode mode);
    // The opponents' boards and names shown; player 2's controls and the score hidden.
    void ShowInternetFields();
    void HideInternetFields();
    void HideFieldControls();
    // Player 1's side panel (picNextPiece(0)) shown and in front; player 2's (picNextPiece(4))
    // too in two-player mode, else hidden.
    void showSidePanels(GameMode mode);
    // The game-mode menu's part of a new mode: the name label, the score and active-level
    // labels and player 2's panel; `fieldsShown` when the fields page is the page shown.
    void layOutForMode(GameMode mode, bool fieldsShown);
    void showActiveLevels(bool shown);

    // --- texts ---
    void setLabel(LabelId label, int p, BytesView text);
    void setLinesPerMinute(int p, BytesView text);
    // The specials log's banner line.
    void showBanner(BytesView version);
    // colorfields on the players' and panels' labels, colorinternet on the boards' names.
    void colorLabels(const ColorTable& colors);
    void colorInternetNames(const ColorTable& colors);

    // --- the talk box of internet play ---
    void openTalkBox(bool teamChat);
    // Cleared and hidden.
    void closeTalkBox();

    // The renderer's pictures shown by the page's views.
    void attachPictures(WindowPictures& pictures);
    // Repaints the side panels after the skin changed.
    void showSkin();

    // Players 1 and 2, boards 1..5.
    FieldView& field(int p);
    PictureView& leds(int p);
    PictureView& nextPiece(int p);
    PictureView& specials(int p);
    PictureView& internetField(int board);
    PictureView& sidePanel(int p);
    QLabel& label(LabelId label, int p);
    QLabel& linesPerMinute(int p);
    QLabel& nameLabel(int p); // lblCliName, lblPlayer2
    QLabel& internetName(int board);
    QLabel& scoreLabel(); // lblScoreLabel
    QTextEdit& specialsLog(); // rtSpecials
    QLineEdit& talkBox(); // txtTalk

signals:
    // A press on a decoration of the page (side panel, next-piece window, LEDs, special window,
    // opponent's board): the field takes the keyboard back.
    void decorationPressed();
    // The pointer moved over a field: the menus close.
    void pointerOverField();
    // Player 2's field got the keyboard, which belongs to player 1's.
    void secondFieldFocused();
    // Enter in the talk box, with its line as typed (the box stays as it is); Escape in it.
    // Both keys are swallowed.
    void talkLineEntered(const QString& line);
    void talkLineEscaped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<PictureView*, 2> m_sidePanels{};
    // Indexed by player 1..2 and board 1..5.
    std::array<FieldView*, 3> m_picField{};
    std::array<PictureView*, 3> m_picLeds{};
    std::array<PictureView*, 3> m_picNextPiece{};
    std::array<PictureView*, 3> m_picSpecials{};
    std::array<PictureView*, 6> m_picInternetfield{};
    std::array<QLabel*, 6> m_lblInetName{};
    std::array<QLabel*, 3> m_lblSpec{}, m_lblLevel{}, m_lblActiveLevel{}, m_lblLines{}, m_lblQuads{},
        m_lblLPM{};
    QLabel* m_lblCliName = nullptr;
    QLabel* m_lblPlayer2 = nullptr;
    QLabel* m_lblScore = nullptr;
    QLabel* m_lblScoreLabel = nullptr;
    QTextEdit* m_rtSpecials = nullptr;
    QLineEdit* m_txtTalk = nullptr;
};

} // namespace kalvon
