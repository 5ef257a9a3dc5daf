#pragma once

#include <string>

// One recorded event of a run, such as a sound played on landing.
class Instruction {
public:
    Instruction(long time, std::string instruction, std::string parameter);

    long getTime() const { return time; }
    std::string getInstruction() const { return instruction; }
    std::string getParameter() const { return parameter; }
    bool isDone() const { return done; }
    void setDone(bool d) { done = d; }

    long time;
    std::string instruction; // kind of event: "Sound"
    std::string parameter;   // for "Sound": the sound word ("rebond", "bonus", ...)
    bool done;
};
