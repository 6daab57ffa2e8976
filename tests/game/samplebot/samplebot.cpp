// A small bot plug-in for the tests: it takes each piece as far left as it goes, then drops it.
// It also counts what the game tells it, for the tests to read through kalvonbot_sample_stats.

#include "game/kalvonbot.h"

#ifndef KALVONBOT_SAMPLE_ABI
#define KALVONBOT_SAMPLE_ABI KALVONBOT_ABI_VERSION
#endif

namespace {

const KalvonBotHost* host = nullptr;
int events = 0;
int blockUpdates = 0;
int pieceUpdates = 0;
int occupiedAtLastUpdate = -1;
int lastColumn = -1;
bool triedLeft = false;

} // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t kalvonbot_abi_version(void)
{
    return KALVONBOT_SAMPLE_ABI;
}

__attribute__((visibility("default"))) void kalvonbot_attach(const KalvonBotHost* h)
{
    host = h;
}

__attribute__((visibility("default"))) int16_t kalvonbot_event(int16_t column, int16_t, int16_t)
{
    ++events;
    // Left while that still moves the piece; once it stops, drop.
    if (!triedLeft || column != lastColumn) {
        lastColumn = column;
        triedLeft = true;
        return KALVONBOT_LEFT;
    }
    triedLeft = false;
    return KALVONBOT_DROP;
}

__attribute__((visibility("default"))) void kalvonbot_block_update(void)
{
    ++blockUpdates;
    occupiedAtLastUpdate = 0;
    for (int32_t column = 0; column < KALVONBOT_COLUMNS; ++column)
        for (int32_t row = 0; row < KALVONBOT_ROWS; ++row)
            occupiedAtLastUpdate += host->cell_occupied(host->context, column, row);
}

__attribute__((visibility("default"))) void kalvonbot_piece_update(int16_t, int16_t)
{
    ++pieceUpdates;
    triedLeft = false;
}

__attribute__((visibility("default"))) void kalvonbot_detach(void)
{
    host = nullptr;
}

// Not part of the plug-in interface: what the sample has been told, for the tests.
__attribute__((visibility("default"))) void kalvonbot_sample_stats(int* out)
{
    out[0] = events;
    out[1] = blockUpdates;
    out[2] = pieceUpdates;
    out[3] = occupiedAtLastUpdate;
    out[4] = host != nullptr;
}

} // extern "C"
