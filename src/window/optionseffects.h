#pragma once
// What the options page's boxes do to the running program (OptionsEffects) over its real parts:
// the display options the renderer reads and the engine's options, the field and LED drawing, the opponents'
// boards, the windows' stay-on-top state, the tray icon and the drop trail's pictures.

#include "window/pages/optionspage.h"

class QWidget;

namespace kalvon {

class CoreGameSide;
class EngineDrawing;
class InternetPlay;
class TrayIcon;
struct Options;

struct OptionsEffectsParts {
    const Options& options;
    EngineDrawing& drawing;
    InternetPlay& internet;
    CoreGameSide& game;
    QWidget& mainWindow;
    QWidget& highScoreWindow;
    TrayIcon& tray;
};

class ProgramOptionsEffects final : public OptionsEffects {
public:
    explicit ProgramOptionsEffects(const OptionsEffectsParts& parts);

    void optionsChanged() override;
    void redrawAllFields() override;
    void showHeightLeds(bool shown) override;
    void applyStayOnTop() override;
    void applyTrayIcon() override;
    void GenerateTrail() override;

private:
    OptionsEffectsParts m;
};

} // namespace kalvon
