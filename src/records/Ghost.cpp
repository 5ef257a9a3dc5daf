#include "records/Ghost.h"

#include "services/DebugManager.h"

#include <limits>

namespace {
constexpr long kNoRecord = -51;

// The time from `from` to `to` (from <= to), in ms. Times come from files
// too, and two of them may lie further apart than a long reaches: the
// difference is taken unsigned, where it always fits.
float elapsed(long from, long to)
{
    return static_cast<float>(static_cast<unsigned long>(to) - static_cast<unsigned long>(from));
}

DebugManager* takeLog()
{
    return DebugManager::GetInstance();
}
} // namespace

Ghost::Ghost()
    : log(takeLog()), lastRecordedTime(kNoRecord), positionCursor(0), instructionCursor(0)
{
}

Ghost::Ghost(const Ghost& other) = default;
Ghost& Ghost::operator=(const Ghost& other) = default;
Ghost::~Ghost() = default;

bool Ghost::keepsPose(long lastRecorded, const Position& p)
{
    // p.time - 50 is computed only where it cannot fall below the range of a
    // long; below it, no recorded time could be earlier.
    const bool longAfter = p.time >= std::numeric_limits<long>::min() + kRecordInterval &&
                           lastRecorded < p.time - kRecordInterval;
    return longAfter || p.position.getY() < kSurfaceHeight;
}

void Ghost::addPosition(Position p)
{
    if (!keepsPose(lastRecordedTime, p))
        return;
    positions.push_back(p);
    lastRecordedTime = p.time;
}

void Ghost::addInstruction(Instruction i)
{
    instructions.push_back(std::move(i));
}

void Ghost::reset()
{
    lastRecordedTime = kNoRecord;
    positionCursor = 0;
    instructionCursor = 0;
}

bool Ghost::isEmpty() const
{
    return positions.empty() && instructions.empty();
}

Position Ghost::getPosition(long t)
{
    log->o("Ghost", "getPosition", true, "Loading value ", static_cast<double>(t));
    positionCursor = 0;
    if (positions.empty()) {
        log->o("Ghost", "getPosition", true, "\tNo data found");
        return Position();
    }

    // Cursor: the last pose from the second on whose time is below t (or the
    // first pose); s: the pose right after it, or the cursor at the end.
    std::size_t s = 0;
    while (s + 1 < positions.size()) {
        ++s;
        if (positions[s].time < t)
            positionCursor = s;
        else
            break;
    }

    const Position& a = positions[positionCursor];
    const Position& b = positions[s];
    if (b.time < t) {
        log->o("Ghost", "getPosition", true, "\tEnd");
        return b;
    }
    if (a.time > t) {
        log->o("Ghost", "getPosition", true, "\tStart");
        return a;
    }
    // The same pose, or two poses of the same time: the later one.
    if (positionCursor == s || a.time == b.time) {
        log->o("Ghost", "getPosition", true, "\tEnd");
        return b;
    }

    // Here a.time <= t <= b.time and a.time < b.time.
    const float f = elapsed(a.time, t) / elapsed(a.time, b.time);
    log->o("Ghost", "getPosition", true, "\tInterpolation", static_cast<double>(f));
    auto blend = [f](float u, float v) { return (1 - f) * u + f * v; };
    return Position(0, blend(a.getX(), b.getX()), blend(a.getY(), b.getY()),
        blend(a.getZ(), b.getZ()), blend(a.getRX(), b.getRX()), blend(a.getRY(), b.getRY()),
        blend(a.getRZ(), b.getRZ()));
}

std::vector<Instruction> Ghost::getInstructions(long t)
{
    log->o("Ghost", "getPosition", true, "Scanning for instruction not done before ",
        static_cast<double>(t));
    std::vector<Instruction> due;
    while (instructionCursor < instructions.size() && instructions[instructionCursor].time <= t) {
        if (!instructions[instructionCursor].isDone())
            due.push_back(instructions[instructionCursor]);
        ++instructionCursor;
    }
    return due;
}
