#include "game/fieldkeyboard.h"

#include "engine/gameengine.h"
#include "engine/store/options.h"
#include "game/gamesession.h"
#include "game/gamewindow.h"
#include "game/heldkeys.h"
#include "game/internetplay.h"

namespace kalvon {

namespace {

constexpr KeyAction kSpecialTargetKeys[] = {
    KeyAction::Ispec1,
    KeyAction::Ispec2,
    KeyAction::Ispec3,
    KeyAction::Ispec4,
    KeyAction::Ispec5,
    KeyAction::Ispec6,
};

} // namespace

FieldKeyboard::FieldKeyboard(const FieldKeyboardParts& parts)
    : m(parts)
{
}

void FieldKeyboard::keyPressed(int keyCode)
{
    const ControlSettings& controls = m.options.controls;
    const GameMode mode = m.engine.state().GameMode;
    if (keyCode == kVkF2 && m.session.fileItemEnabled(int(FileItem::StartStop)))
        m.session.fileMenuItemClicked(int(FileItem::StartStop));
    if (keyCode == kVkF3 && m.session.fileItemEnabled(int(FileItem::PauseResume)))
        m.session.fileMenuItemClicked(int(FileItem::PauseResume));
    if (keyCode == kVkF1)
        m.window.ShowHelp();

    if (mode == GameMode::Internet) {
        const int team = controls.binding(1, KeyAction::Italkteam);
        if ((keyCode == controls.binding(1, KeyAction::Italk) || keyCode == team) && !m_talkActive) {
            m.window.openTalkBox(keyCode == team);
            m_talkActive = true;
        }
        if (keyCode == kVkEscape && m_talkActive)
            closeTalkLine();
    }

    // The rest only while the game timer runs (a game runs and is not paused).
    if (!m.session.gameTimerEnabled())
        return;
    if (mode == GameMode::Internet)
        internetKeys(keyCode);
    for (int p = 1; p <= (mode == GameMode::TwoPlayers ? 2 : 1); ++p) {
        for (KeyAction action : kRepeatableActions)
            if (controls.binding(p, action) == keyCode)
                m.keys.press(p, action);
        if (controls.binding(p, KeyAction::Discard) == keyCode)
            m.engine.RefreshSpecialBar(p);
    }
}

void FieldKeyboard::closeTalkLine()
{
    m_talkActive = false;
    m.window.closeTalkBox();
}

void FieldKeyboard::internetKeys(int keyCode)
{
    const ControlSettings& controls = m.options.controls;
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        if (controls.binding(1, kSpecialTargetKeys[slot - 1]) == keyCode)
            m.internet.SendSpecial(slot);
    if (controls.binding(1, KeyAction::Irevenge) == keyCode) {
        // Nobody has attacked yet (0), or a value from the wire that names no slot.
        const int attacker = m.internet.LastAttacker();
        if (attacker >= 1 && attacker <= kPlayingSlots)
            m.internet.SendSpecial(attacker);
    }
}

void FieldKeyboard::keyReleased(int keyCode)
{
    // Both players in every mode, so a key released after a mode change is not left held.
    for (int p = 1; p <= kLocalPlayers; ++p) {
        for (KeyAction action : kRepeatableActions) {
            if (m.options.controls.binding(p, action) == keyCode) {
                m.keys.held(p, action) = false;
                m.keys.lastTime(p, action) = 0;
            }
        }
    }
}

void FieldKeyboard::focusLost()
{
    m.keys.releaseAll();
}

} // namespace kalvon
