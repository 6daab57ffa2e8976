#pragma once
// What the options page's boxes do to the running program (OptionsEffects) over its real parts:
// the display options the renderer reads, the field and LED drawing, the opponents' boards,
// the windows' stay-on-top state, the tray icon and the drop trail's pictures.

#include "window/pages/optionspage.h"

class QWidget;

namespace kalvon {

class EngineDrawing;
class GameSide;
class InternetPlay;
class TrayIcon;
struct DrawOptions;
struct Options;

struct OptionsEffectsParts {
    const Options& options;
    DrawOptions& drawOptions;
    EngineDrawing& drawing;
    InternetPlay& internet;
    GameSide& game;
    QWidget& mainWindow;
    QWidget& highScoreWindow;
    TrayIcon& tray;
};

class ProgramOptionsEffects final : public OptionsEffects {
public:
    explicit ProgramOptionsEffects(const OptionsEffectsParts& parts);

    void displayOptionsChanged() override;
    void redrawAllFields() override;
    void showHeightLeds(bool shown) override;
    void applyStayOnTop() override;
    void applyTrayIcon() override;
    void GenerateTrail() override;

private:
    OptionsEffectsParts m;
};

} // namespace kalvon
