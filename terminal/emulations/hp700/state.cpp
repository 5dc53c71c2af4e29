#include "terminal/emulations/hp700/hp700.h"

Hp700State Hp700;

bool Hp700Running()
{
    return Hp700.active && Hp700.lines != nullptr;
}
