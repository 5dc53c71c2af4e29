#include "terminal/emulations/hp700/settings/setupcopy.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/terminaltype.h"
#include "terminal/settings/store/setuptext.h"

Hp700SetupFields Hp700Setup{};

const char* const kHp700ModelNames[kHpModels] = {"2392A", "70092", "2622A", "70094", "70096"};

namespace {

Hp700SetupFields& F = Hp700Setup;

u8 Hp700Settings::*const kRowSettings[kHpCheckRows] = {
    &Hp700Settings::echo,       &Hp700Settings::capslock, &Hp700Settings::txfunctns, &Hp700Settings::spow,
    &Hp700Settings::inheolwrap, &Hp700Settings::txpage,   &Hp700Settings::inhhndshk, &Hp700Settings::inhdc2,
    &Hp700Settings::enqack,     &Hp700Settings::escxfer,  &Hp700Settings::destbs,    &Hp700Settings::crnull,
    &Hp700Settings::printff,    &Hp700Settings::ignoreff,
};

void EncodeCharacters(wchar16* counted, const wchar16* units, int n)
{
    wchar16 raw[kHpSetupCharUnits + 1] = {};
    for (int i = 0; i < n && i < kHpSetupCharUnits; ++i)
        raw[i] = units[i];
    EncodeSetupText(counted, raw, kHpSetupCharUnits);
}

void EncodeByte(wchar16* counted, u8 b)
{
    const wchar16 unit = b;
    EncodeCharacters(counted, &unit, 1);
}

// The first character of a counted text as a byte; an empty text keeps `current`.
u8 DecodeByte(const wchar16* counted, u8 current)
{
    wchar16 raw[kHpSetupCharUnits + 1] = {};
    if (DecodeSetupField(raw, counted, kHpSetupCharUnits) <= 0 || raw[0] == 0 || raw[0] > 0xFF)
        return current;
    return static_cast<u8>(raw[0]);
}

bool SameText(const wchar16* text, const char* ascii)
{
    int i = 0;
    for (; ascii[i]; ++i) {
        wchar16 c = text[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<wchar16>(c - 'a' + 'A');
        if (c != static_cast<wchar16>(ascii[i]))
            return false;
    }
    return text[i] == 0;
}

// A text that names a built-in identity, with or without its "HP".
bool NamesAModel(const wchar16* text)
{
    const wchar16* name = text;
    if ((name[0] == 'H' || name[0] == 'h') && (name[1] == 'P' || name[1] == 'p'))
        name += 2;
    return std::any_of(std::begin(kHp700ModelNames), std::end(kHp700ModelNames),
                       [name](const char* model) { return SameText(name, model); });
}

}  // namespace

void Hp700FillSetupCopy()
{
    const Hp700Settings& s = Hp700.settings;
    for (int r = 0; r < kHpCheckRows; ++r)
        F.rows[r] = s.*kRowSettings[r] ? 1 : 0;
    F.model = HpModel < kHpModels ? HpModel : 2;
    std::fill(std::begin(F.terminalId), std::end(F.terminalId), wchar16{0});
    if (s.customId[0]) {
        for (int i = 0; i + 1 < kSetupTextUnits && s.customId[i]; ++i)
            F.terminalId[i] = s.customId[i];
    } else {
        for (int i = 0; kHp700ModelNames[F.model][i]; ++i)
            F.terminalId[i] = static_cast<wchar16>(kHp700ModelNames[F.model][i]);
    }
    F.pages = s.pages == 2 ? 0 : s.pages == 4 ? 1 : s.pages == 6 ? 2 : 3;
    EncodeCharacters(F.returnDef, s.returndef, 2);
    char number[8];
    std::snprintf(number, sizeof number, "%d", s.startclmn + 1);
    wchar16 wide[8] = {};
    for (int i = 0; number[i]; ++i)
        wide[i] = static_cast<wchar16>(number[i]);
    EncodeSetupText(F.startColumn, wide, kHpStartColumnChars);
    EncodeByte(F.fieldSeparator, s.fieldsep);
    EncodeByte(F.blockTerminator, s.blockterm);
    F.typeahead = s.typeahead;
    EncodeByte(F.prompt, s.promptchar);
    for (int p = 0; p < 8; ++p) {
        F.pairs[2 * p] = s.foreground[p];
        F.pairs[2 * p + 1] = s.background[p];
    }
}

bool Hp700ApplySetupCopy()
{
    Hp700Settings& s = Hp700.settings;
    for (int r = 0; r < kHpCheckRows; ++r)
        s.*kRowSettings[r] = F.rows[r] ? 1 : 0;
    if (F.model < kHpModels)
        HpModel = static_cast<u8>(F.model);
    // The identity follows the model unless the text names none of them.
    std::fill(std::begin(s.customId), std::end(s.customId), wchar16{0});
    if (!NamesAModel(F.terminalId))
        for (int i = 0; i < kSetupTextUnits && i < kHpCustomIdUnits && F.terminalId[i]; ++i)
            s.customId[i] = F.terminalId[i];

    wchar16 raw[kHpSetupCharUnits + 1] = {};
    if (DecodeSetupField(raw, F.returnDef, kHpSetupCharUnits) > 0 && raw[0]) {
        s.returndef[0] = raw[0];
        s.returndef[1] = raw[1] ? raw[1] : wchar16{' '};
    }
    wchar16 digits[kHpStartColumnChars + 1] = {};
    DecodeSetupField(digits, F.startColumn, kHpStartColumnChars);
    int column = 0;
    bool number = digits[0] != 0;
    for (int i = 0; digits[i]; ++i) {
        number = number && digits[i] >= '0' && digits[i] <= '9';
        column = column * 10 + (digits[i] - '0');
    }
    if (number && column >= 1 && column <= 80)
        s.startclmn = static_cast<u8>(column - 1);
    s.fieldsep = DecodeByte(F.fieldSeparator, s.fieldsep);
    s.blockterm = DecodeByte(F.blockTerminator, s.blockterm);
    s.promptchar = DecodeByte(F.prompt, s.promptchar);
    s.typeahead = F.typeahead ? 1 : 0;

    if (F.pages > 2)
        return false;
    const int pages = 2 * (F.pages + 1);
    if (pages == s.pages && (!Hp700Running() || pages == Hp700.pages))
        return false;
    return Hp700SetMemoryPages(pages);
}

void Hp700ApplyPairCopy()
{
    for (int p = 0; p < 8; ++p) {
        Hp700.settings.foreground[p] = static_cast<u8>(F.pairs[2 * p] & 0x0F);
        Hp700.settings.background[p] = static_cast<u8>(F.pairs[2 * p + 1] & 0x0F);
    }
}

void Hp700DefaultPairCopy()
{
    const Hp700Settings factory;
    for (int p = 0; p < 8; ++p) {
        F.pairs[2 * p] = factory.foreground[p];
        F.pairs[2 * p + 1] = factory.background[p];
    }
}
