#pragma once
// The editor's name, version and the texts its splash and About windows show.

#include "common/bytes.h"

#include <string>
#include <string_view>

namespace kalvon::editor {

inline constexpr std::string_view kProgramTitle = "Kalvon Theme Maker";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// "Version 1.0.0".
inline Bytes versionText()
{
    return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "."
        + std::to_string(kVersionRevision);
}

// Two lines joined by a carriage return.
inline constexpr std::string_view kCredits
    = "Makes and edits themes for the Kalvon puzzle game.\rWritten by the Kalvon Project.";
inline constexpr std::string_view kCopyright
    = "Copyright (C) The Kalvon Project. Every picture and sound is our own work.";
inline constexpr std::string_view kLatestVersionText
    = "For the latest version of Kalvon and Kalvon Theme Maker, visit:";
inline constexpr std::string_view kWebAddress = "https://kalvon.example.org/";

} // namespace kalvon::editor
