/* The interface of the bot plug-in kalvonbot.so, which can play for player 1. A plain C
 * interface, so a bot can be written in any language that builds a shared library.
 *
 * The game loads the plug-in only from its own program folder and looks up the six functions
 * below; a plug-in that lacks one, or whose kalvonbot_abi_version() is not
 * KALVONBOT_ABI_VERSION, is refused. All calls come from the game's one user-interface thread.
 *
 * Once per game tick the game calls kalvonbot_event with player 1's falling piece and holds
 * the keys of the returned mask for that tick: every action whose bit is set is carried out in
 * the same tick (in the order rotate2, rotate, left, right, drop, down), so a bit that stays
 * set repeats every 10 ms. A mask of 0 or less releases all six keys. */

#ifndef KALVONBOT_H
#define KALVONBOT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KALVONBOT_ABI_VERSION 1

/* Key mask bits of kalvonbot_event's answer. */
#define KALVONBOT_LEFT 1
#define KALVONBOT_RIGHT 2
#define KALVONBOT_DROP 4
#define KALVONBOT_DOWN 8
#define KALVONBOT_ROTATE 16 /* to the next orientation */
#define KALVONBOT_ROTATE2 32 /* to the previous orientation */

#define KALVONBOT_COLUMNS 12
#define KALVONBOT_ROWS 22

/* What the game offers the bot: player 1's field, read at any time during a call. */
typedef struct KalvonBotHost {
    int32_t abi_version; /* KALVONBOT_ABI_VERSION */
    void* context; /* passed back to the functions below */
    /* 1 when the cell is occupied (the falling piece included), 0 when empty or off the field.
     * column 0..11 from the left, row 0..21 from the top. */
    int32_t (*cell_occupied)(void* context, int32_t column, int32_t row);
    /* The cell's code: 0..5 a block colour, 6..21 a special, 90..95 the falling piece. */
    int32_t (*cell_code)(void* context, int32_t column, int32_t row);
} KalvonBotHost;

/* Returns KALVONBOT_ABI_VERSION. */
typedef int32_t (*kalvonbot_abi_version_fn)(void);
/* Called once after loading; the host stays valid until kalvonbot_detach. */
typedef void (*kalvonbot_attach_fn)(const KalvonBotHost* host);
/* The falling piece's reference column and row and its orientation (1..4); returns the mask. */
typedef int16_t (*kalvonbot_event_fn)(int16_t column, int16_t row, int16_t orientation);
/* Player 1's field was redrawn (its cells may have changed). */
typedef void (*kalvonbot_block_update_fn)(void);
/* A next piece was set: the falling piece's type and the next piece's type (0..6). */
typedef void (*kalvonbot_piece_update_fn)(int16_t type, int16_t next);
/* Called before the plug-in is unloaded. */
typedef void (*kalvonbot_detach_fn)(void);

#ifdef __cplusplus
}
#endif

#endif
