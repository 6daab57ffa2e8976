#pragma once
// The high-score window (frmHighScore, 320 x 372, no system frame; docs/layout.md): the theme's
// high-score picture behind a heading row and the fifteen ranks, in the theme's high-score
// colours, with a drawn title bar to drag it by and minimise and close boxes. The table's
// labels are filled whenever the table changes; each time the window is shown it takes the
// current theme's picture and colours again.

#include "engine/highscores.h"
#include "engine/store/options.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <filesystem>

class QLabel;

namespace kalvon {

struct Themes;

class HighScoreWindow final : public QWidget, public HighScoreView {
    Q_OBJECT
public:
    // Relative picture paths are taken from `programDir`; `options` holds the stay-on-top box.
    HighScoreWindow(const Themes& themes, const Options& options, std::filesystem::path programDir,
        QWidget* parent = nullptr);

    void ShowHighScores(const HighScoreTable& table) override;
    // On showing: the theme's picture and colours, the stay-on-top state, then shown in front.
    void showHighScoreWindow() override;

    // Row 0 is the heading, rows 1..15 the ranks.
    QLabel& rankLabel(int row) { return *m_lblRank.at(size_t(row)); }
    QLabel& scoreLabel(int row) { return *m_lblScore.at(size_t(row)); }
    QLabel& nameLabel(int row) { return *m_lblName.at(size_t(row)); }
    const QImage& background() const { return m_background; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void loadSkin();

    const Themes& m_themes;
    const Options& m_options;
    std::filesystem::path m_programDir;
    QImage m_background;
    std::array<QLabel*, kHighScoreRanks + 1> m_lblRank{}, m_lblScore{}, m_lblName{};
};

} // namespace kalvon
