#include "records/Ghost.h"

#include "services/DebugManager.h"

namespace {
constexpr long kNoRecord = -51;

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
    return lastRecorded < p.time - kRecordInterval || p.position.getY() < kSurfaceHeight;
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

    const float f = static_cast<float>(t - a.time) / static_cast<float>(b.time - a.time);
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
