#include "terminal/emulations/wyse/settings/answerback.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/settings/store/profilevalues.h"

void WyseStoreAnswerback(const wchar16* text, int n)
{
    constexpr int kCapacity = static_cast<int>(sizeof Vt300Values.ans_back / sizeof Vt300Values.ans_back[0]);
    static_assert(kCapacity > kWyseAnswerbackChars, "the answerback store holds a Wyse answerback");
    if (n < 0)
        n = 0;
    if (n > kWyseAnswerbackChars)
        n = kWyseAnswerbackChars;
    for (int i = 0; i < n; ++i)
        Vt300Values.ans_back[i] = text[i];
    Vt300Values.ans_back[n] = 0;
}

int WyseAnswerbackChars(u8 emulation)
{
    return emulation == kEmuWy50Plus || emulation == kEmuWy60 ? kWyseAnswerbackChars : 0;
}
