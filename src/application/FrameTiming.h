#pragma once

// Timing rules of the main loop.
namespace frame_timing {

// Longest step the game may advance in one frame, in ms.
const long kMaxDt = 40;

// Time since the previous frame's start, never more than kMaxDt.
inline long frameDelta(unsigned long now, unsigned long last)
{
    long dt = static_cast<long>(now - last);
    return dt > kMaxDt ? kMaxDt : dt;
}

// Sleep after a frame whose own work took frameMs: leaves the processor idle
// on the title-screen loop.
inline unsigned int pacingDelay(unsigned long frameMs)
{
    if (frameMs <= 9)
        return 3;
    if (frameMs <= 15)
        return 1;
    return 0;
}

} // namespace frame_timing
