#pragma once
// The sections of the settings file, one loader and one writer each. Loaders read a parsed
// file (the rules of each are in its source); writers print the separator line, the section
// line and the keys. SaveSettings and LoadSettings call them in the file's order.

#include "common/inifile.h"
#include "common/sectionio.h"
#include "engine/store/options.h"

namespace kalvon {

// [General] is written right after the header, without a separator line.
void LoadGeneralOptions(const IniDocument& file, GeneralSettings& general);
void SaveGeneralOptions(SettingsWriter& out, const GeneralSettings& general);

void LoadSoundOptions(const IniDocument& file, SoundSettings& sound);
void SaveSoundOptions(SettingsWriter& out, const SoundSettings& sound);

void LoadGraphicsOptions(const IniDocument& file, GraphicsSettings& graphics);
void SaveGraphicsOptions(SettingsWriter& out, const GraphicsSettings& graphics);

void LoadNetworkOptions(const IniDocument& file, NetworkSettings& network);
void SaveNetworkOptions(SettingsWriter& out, const NetworkSettings& network);

void LoadGameOptions(const IniDocument& file, GameOptionSettings& gameOptions);
void SaveGameOptions(SettingsWriter& out, const GameOptionSettings& gameOptions);

void LoadBlockOccurancy(const IniDocument& file, BlockOccurancy& percentages);
void SaveBlockOccurancy(SettingsWriter& out, const BlockOccurancy& percentages);

void LoadControls(const IniDocument& file, ControlSettings& controls);
void SaveControls(SettingsWriter& out, const ControlSettings& controls);

void LoadChatOptions(const IniDocument& file, ChatOptions& chat);
void SaveChatOptions(SettingsWriter& out, const ChatOptions& chat);

} // namespace kalvon
