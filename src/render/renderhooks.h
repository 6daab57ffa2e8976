#pragma once
// What the renderer asks of the program around it: the bot bridge, effect sounds and the theme
// page's preview. The window implements it; tests record the calls.

#include "common/bytes.h"

namespace kalvon {

class RenderHooks {
public:
    virtual ~RenderHooks() = default;
    // The bot plug-in is linked; it is then told after each redraw of player 1's field.
    virtual bool BotLinked() const = 0;
    virtual void BotBlockUpdate() = 0;
    // PlaySoundFile: a theme sound file (as the theme stored it), played when sounds are on.
    virtual void PlaySoundFile(BytesView file) = 0;
    // Redraws the theme page's preview of field `field` (3).
    virtual void GenerateThemePreview(int field) = 0;
};

} // namespace kalvon
