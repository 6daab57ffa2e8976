#include "engine/boarddoors.h"

namespace kalvon {

bool StartLostFieldAnimation(NetDoor& door, bool doorsOn, bool gameActive, int64_t now)
{
    if (!door.Open || door.isMoving())
        return false;
    if (!doorsOn) {
        door.Open = false;
        return false;
    }
    if (!gameActive) {
        door.Open = false;
        door.Row = kNetDoorClosedRow;
        return false;
    }
    door.Closing = true;
    door.Row = 0;
    door.LastStep = now;
    return true;
}

void ResetLostFieldAnimation(NetDoor& door, bool doorsOn)
{
    if (!doorsOn) {
        door.Open = true;
        return;
    }
    door = NetDoor{
        .Open = false, .Opening = true, .Closing = false, .Row = kNetDoorClosedRow, .LastStep = 0
    };
}

void setDoorOpen(NetDoor& door, bool open)
{
    door = NetDoor{
        .Open = open, .Row = static_cast<int16_t>(open ? 0 : kNetDoorClosedRow), .LastStep = door.LastStep
    };
}

void finishLostFieldAnimation(NetDoor& door)
{
    if (door.Closing)
        setDoorOpen(door, false);
}

DoorSteps stepDoors(NetDoors& doors, int64_t now)
{
    DoorSteps steps;
    for (int board = 1; board <= kInternetFields; ++board) {
        NetDoor& door = doors[static_cast<std::size_t>(board)];
        if (!door.isMoving() || now - door.LastStep <= kNetDoorStepMs)
            continue;
        if (door.Opening) {
            steps.openingMoved = true;
            if (door.Row > 0) {
                --door.Row;
                door.LastStep = now;
            } else {
                door = NetDoor{ .Open = true, .Row = 0, .LastStep = door.LastStep };
            }
        } else {
            if (door.Row < kNetDoorClosedRow) {
                ++door.Row;
                door.LastStep = now;
            } else {
                door = NetDoor{ .Row = kNetDoorClosedRow, .LastStep = door.LastStep };
            }
            steps.closingMoved.push_back(board);
        }
    }
    return steps;
}

} // namespace kalvon
