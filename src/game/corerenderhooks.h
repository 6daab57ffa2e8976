#pragma once
// What the renderer asks of the program (RenderHooks), answered by the game core: the bot
// bridge and the theme's sounds.

#include "game/gamecore.h"
#include "render/renderhooks.h"

namespace kalvon {

class CoreRenderHooks final : public RenderHooks {
public:
    explicit CoreRenderHooks(GameCore& core)
        : m_core(core)
    {
    }
    bool BotLinked() const override { return m_core.bot().BotLinked(); }
    void BotBlockUpdate() override { m_core.bot().BotBlockUpdate(); }
    void PlaySoundFile(BytesView file) override { m_core.sounds().playFile(file); }
    // The theme page's preview comes with the theme page.
    void GenerateThemePreview(int) override { }

private:
    GameCore& m_core;
};

} // namespace kalvon
