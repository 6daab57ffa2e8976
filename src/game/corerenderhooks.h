#pragma once
// What the renderer asks of the program (RenderHooks), answered by the game core: the bot
// bridge, the theme's sounds and the theme page's preview.

#include "game/gamecore.h"
#include "render/renderhooks.h"

#include <functional>

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
    void GenerateThemePreview(int field) override
    {
        if (m_preview)
            m_preview(field);
    }
    // What draws the theme page's preview (none: nothing is drawn).
    void setThemePreview(std::function<void(int field)> preview) { m_preview = std::move(preview); }

private:
    GameCore& m_core;
    std::function<void(int)> m_preview;
};

} // namespace kalvon
