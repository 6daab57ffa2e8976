#pragma once
// Where the tests find the sample bot plug-in, and what it has been told.

#include <QLibrary>
#include <QString>
#include <filesystem>

namespace kalvon::testing {

inline const std::filesystem::path kSampleBotFolder = KALVON_BOT_DIR "1";
// The same plug-in answering a wrong interface version.
inline const std::filesystem::path kWrongVersionBotFolder = KALVON_BOT_DIR "2";

// The sample's counts: events, block updates, piece updates, occupied cells at the last block
// update, and whether it is attached.
struct SampleStats {
    int events = 0, blockUpdates = 0, pieceUpdates = 0, occupied = 0, attached = 0;

    static SampleStats read()
    {
        QLibrary library(QString::fromStdString((kSampleBotFolder / "kalvonbot.so").string()));
        using Stats = void (*)(int*);
        const auto stats = reinterpret_cast<Stats>(library.resolve("kalvonbot_sample_stats"));
        int out[5] = {};
        if (stats)
            stats(out);
        return { out[0], out[1], out[2], out[3], out[4] };
    }
};

} // namespace kalvon::testing
