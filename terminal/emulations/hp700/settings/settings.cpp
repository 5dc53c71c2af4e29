#include "terminal/emulations/hp700/settings/settings.h"

#include "terminal/emulations/hp700/hp700.h"

void Hp700LoadSettings() {}
void Hp700SaveSettings(int) {}
void Hp700FactoryDefaults()
{
    const u8 remote = Hp700.settings.remote, destbs = Hp700.settings.destbs;
    Hp700.settings = Hp700Settings{};
    Hp700.settings.remote = remote;
    Hp700.settings.destbs = destbs;
    Hp700DefaultColourTable();
}

void Hp700DefaultColourTable()
{
    // clang-format off
    static const u16 kTriples[16][3] = {
        {0, 100, 100}, {120, 50, 100}, {240, 50, 100}, {180, 50, 100},
        {0, 50, 100},  {60, 50, 100},  {300, 50, 100}, {0, 0, 0},
        {0, 75, 0},    {120, 50, 50},  {240, 50, 50},  {180, 30, 50},
        {0, 50, 50},   {50, 50, 50},   {300, 30, 50},  {0, 50, 0},
    };
    // clang-format on
    for (int i = 0; i < 16; ++i) {
        Hp700.settings.hue[i] = kTriples[i][0];
        Hp700.settings.light[i] = kTriples[i][1];
        Hp700.settings.sat[i] = kTriples[i][2];
    }
}
