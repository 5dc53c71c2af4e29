#include "terminal/emulations/ibmhost/5250/settings5250.h"

#include <cstring>
#include <string>

#include "terminal/comms/telnet/newenviron.h"

I5250Settings I5250Config = [] {
    I5250Settings s{};
    I5250SetFactorySettings(s);
    return s;
}();

namespace {
// By the five attribute bits (reverse, bold, underline, blink, column separators): the
// foreground byte (palette index, 0x10 show blink, 0x20 reverse, 0x40 underline, 0x80
// brighter) and the background byte (palette index, 0x20 show separators, 0x40 bold,
// 0x80 in use).
// clang-format off
constexpr u8 kFactoryColours[32][2] = {
    {2, 128},  {34, 128}, {7, 128},  {39, 128},  {66, 128}, {98, 128},  {71, 128}, {0, 128},
    {1, 128},  {33, 128}, {17, 128}, {49, 128},  {65, 128}, {97, 128},  {81, 128}, {0, 128},
    {6, 160},  {38, 160}, {5, 160},  {37, 160},  {70, 160}, {102, 160}, {69, 160}, {0, 128},
    {4, 128},  {36, 128}, {3, 128},  {35, 128},  {68, 128}, {100, 128}, {67, 128}, {0, 128},
};
// clang-format on

bool EnvironValue(const char16_t* name, std::u16string& value)
{
    return TelnetEnvironValue(false, VXT("5250,USERVAR"), name, value) ||
           TelnetEnvironValue(true, VXT("5250,USERVAR"), name, value);
}

// A decimal number of at most five digits; 0 for anything else.
u16 Number(const std::u16string& text)
{
    u32 n = 0;
    if (text.empty() || text.size() > 5)
        return 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return 0;
        n = n * 10 + static_cast<u32>(c - u'0');
    }
    return n <= 0xFFFF ? static_cast<u16>(n) : 0;
}
}  // namespace

void I5250SetFactorySettings(I5250Settings& s)
{
    s = I5250Settings{};
    s.model = 3;
    s.ruleType = 3;
    s.font = 255;
    s.cacheClears = 1;
    std::memcpy(s.colours, kFactoryColours, sizeof kFactoryColours);
    s.codePage = 37;
    s.charSet = 697;
    const wchar16 usb[4] = {'U', 'S', 'B', 0};
    std::memcpy(s.keyboardType, usb, sizeof usb);
}

void I5250ReadEnvironValues(I5250Settings& s)
{
    std::u16string value;
    s.codePage = 37;
    s.charSet = 697;
    if (EnvironValue(u"CODEPAGE", value) && Number(value))
        s.codePage = Number(value);
    if (EnvironValue(u"CHARSET", value) && Number(value))
        s.charSet = Number(value);
    if (EnvironValue(u"KBDTYPE", value) && !value.empty()) {
        int i = 0;
        for (; i < 3 && i < static_cast<int>(value.size()); ++i)
            s.keyboardType[i] = static_cast<wchar16>(value[static_cast<std::size_t>(i)]);
        s.keyboardType[i] = 0;
    }
}
