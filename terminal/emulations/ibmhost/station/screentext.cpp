#include "terminal/emulations/ibmhost/station/screentext.h"

#include <cstdio>

#include "terminal/emulations/ibmhost/station/hostcodepage.h"

void AppendUtf8(std::string& out, wchar16 c)
{
    const u16 u = static_cast<u16>(c);
    if (u < 0x80) {
        out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (u >> 6)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (u >> 12)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
}

std::string StatusRowText(const HostDisplayRow& row, int columns, const std::vector<u8>& s2u, u8 symbolFlag)
{
    std::string text;
    std::size_t kept = 0;
    for (int c = 0; c < columns && c < kHostRowCells; ++c) {
        const HostDisplayCell& d = row.cells[c];
        if (d.rendition & symbolFlag) {
            char b[8];
            std::snprintf(b, sizeof b, "{%02X}", d.character);
            text += b;
            kept = text.size();
            continue;
        }
        const wchar16 u = d.character ? HostByteToUnicode(s2u, d.character) : u' ';
        AppendUtf8(text, u < 0x20 ? u' ' : u);
        if (u > 0x20)
            kept = text.size();
    }
    text.resize(kept);
    return text;
}
