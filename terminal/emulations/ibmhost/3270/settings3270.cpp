#include "terminal/emulations/ibmhost/3270/settings3270.h"

#include <cstring>

I3270Settings I3270Config = [] {
    I3270Settings s{};
    I3270SetFactorySettings(s, 0);
    return s;
}();

namespace {
// {code page, character set, CCSID} by language index.
// clang-format off
constexpr u16 kLanguageTable[37][3] = {
    {37, 697, 37},      {285, 697, 285},    {500, 697, 500},    {37, 697, 37},
    {277, 697, 277},    {278, 697, 278},    {273, 697, 273},    {37, 697, 37},
    {280, 697, 280},    {500, 697, 500},    {500, 697, 500},    {278, 697, 278},
    {277, 697, 277},    {297, 697, 297},    {284, 697, 284},    {37, 697, 37},
    {290, 1172, 930},   {833, 1173, 933},   {836, 1174, 937},   {37, 1175, 935},
    {424, 941, 424},    {838, 1176, 838},   {875, 925, 875},    {880, 960, 880},
    {1155, 1378, 1155}, {1154, 1381, 1154}, {1153, 1375, 1153}, {1153, 1375, 1153},
    {1153, 1375, 1153}, {1149, 695, 1149},  {1154, 1150, 1154}, {1154, 1150, 1154},
    {1153, 1375, 1153}, {1153, 1375, 1153}, {1153, 1375, 1153}, {1153, 1375, 1153},
    {1153, 1375, 1153},
};
// clang-format on

// Unprotected/protected, normal/bold, for the plain, underlined, flashing and inverse
// groups.
constexpr u8 kFactoryColours[32] = {
    4,  128, 2,  128, 1,  128, 15, 128,  // plain
    68, 128, 66, 128, 65, 128, 79, 128,  // underlined
    20, 128, 18, 128, 17, 128, 31, 128,  // flashing
    36, 128, 34, 128, 33, 128, 47, 128,  // inverse
};
}  // namespace

void I3270LanguageCodePages(u8 language, u16& codePage, u16& codeSet, u16& ccsid)
{
    const u16* row = kLanguageTable[language < 37 ? language : 0];
    codePage = row[0];
    codeSet = row[1];
    ccsid = row[2];
}

void I3270SetFactorySettings(I3270Settings& s, u8 language)
{
    s = I3270Settings{};
    s.mode = 4;
    s.ruleType = 3;
    s.font = 255;
    s.language = language;
    I3270LanguageCodePages(language, s.sbcsCodePage, s.sbcsCodeSet, s.sbcsCcsid);
    s.apl2 = 1;
    s.apl2CodePage = 310;
    s.apl2CodeSet = 963;
    s.apl2Ccsid = 310;
    std::memcpy(s.attributeColours, kFactoryColours, sizeof kFactoryColours);
    s.statusBg = 128;
}
