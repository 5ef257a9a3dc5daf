#include "records/Instruction.h"

#include <utility>

Instruction::Instruction(long t, std::string ins, std::string param)
    : time(t), instruction(std::move(ins)), parameter(std::move(param)), done(false)
{
}
