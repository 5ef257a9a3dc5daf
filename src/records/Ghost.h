#pragma once

#include <cstddef>
#include <vector>

#include "records/Instruction.h"
#include "records/Position.h"

class DebugManager;

// A recorded run: the poses kept by the recording filter and the events, with
// the lookup that answers the pose at a given level time.
class Ghost {
public:
    // Poses closer together than this (in ms) are dropped above the surface.
    static constexpr long kRecordInterval = 50;
    // Below this height every pose is kept: the bounces happen there.
    static constexpr float kSurfaceHeight = 0.15f;

    Ghost();
    Ghost(const Ghost& other);
    Ghost& operator=(const Ghost& other);
    ~Ghost();

    // Keeps the pose when more than 50 ms passed since the last kept one, or
    // when it lies close to the blocks' surface.
    void addPosition(Position p);
    void addInstruction(Instruction i);

    // Rewinds the replay; the lists are kept.
    void reset();
    bool isEmpty() const;

    std::vector<Position>& getPositions() { return positions; }
    const std::vector<Position>& getPositions() const { return positions; }
    std::vector<Instruction>& getInstructions() { return instructions; }
    const std::vector<Instruction>& getInstructions() const { return instructions; }

    // The pose at level time t, linearly interpolated between recorded poses.
    Position getPosition(long t);
    // Copies of the events not done whose time is at most t, from where the
    // previous scan stopped.
    std::vector<Instruction> getInstructions(long t);

    long getLastRecordedTime() const { return lastRecordedTime; }

    // The filter rule on its own, shared with the player's own recording.
    static bool keepsPose(long lastRecorded, const Position& p);

private:
    DebugManager* log;
    long lastRecordedTime;
    std::vector<Position> positions;
    std::vector<Instruction> instructions;
    std::size_t positionCursor;
    std::size_t instructionCursor;
};
