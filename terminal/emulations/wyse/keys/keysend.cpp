// Sending a Wyse key: its user definition by send type, its application code, or its
// native sequence; the function-code request, the answerback, and the host's key
// definitions.
#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/keys/keysequences.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/settings/answerback.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

bool ApplicationMode()
{
    return WySet.applKey && !WyMode.nationalSets && !LocalMode && !WySet.inEdit;
}

// A user definition sent by its send type; false when the key has none.
bool SendDefinition(int number, int shifted)
{
    u16 text[kWyseKeyTextUnits];
    int length = 0;
    u32 sendType = 0;
    {
        KeyDefinitionsLock lock;
        const KeyDefinition* d = FindKeyDefinition(WyseKeyCode(number, shifted), kWyseFunctionKey, -1);
        if (!d)
            return false;
        sendType = d->SendType();
        for (u32 i = 0; i < d->length && length < kWyseKeyTextUnits; ++i)
            text[length++] = d->text[i];
    }
    KeyStringSendType = static_cast<u8>(sendType);
    if (ModalOpen) {
        PushKeyboardString(text, length);
    } else if (sendType == 0) {
        if (!LocalMode && !WySet.inEdit)
            WyseSendBytes(text, length);
    } else if (sendType == 1) {
        if (!LocalMode)
            WyseSendBytes(text, length);
    } else if (sendType == 2) {
        PushKeyboardString(text, length);
    }
    KeyStringSendType = 0;
    return true;
}

}  // namespace

void WyseSendKey(int number, int shifted)
{
    if (ApplicationMode()) {
        WyseSendKeyAppl(number, shifted);
        return;
    }
    if (SendDefinition(number, shifted))
        return;
    WyseSendKeyDefault(number, shifted);
}

void WyseSendFunctionCode(int character)
{
    const u16 units[3] = {0x01, static_cast<u16>(character), 0x0D};
    if (ModalOpen)
        PushKeyboardString(units, 3);
    else
        WyseSendBytes(units, 3);
}

void WyseSendAnswerback()
{
    if (WyIsPlusOr60() && WySet.ansMode) {
        u16 units[kWyseAnswerbackChars + 1];
        int n = 0;
        for (; n < kWyseAnswerbackChars && Vt300Values.ans_back[n]; ++n)
            units[n] = Vt300Values.ans_back[n];
        if (n > 0)
            WyseSendBytes(units, n);
    }
    WyseSendByte(0x06);
}

int WyseKeyOfByte(int b, int* shifted)
{
    *shifted = 0;
    if (b >= '@' && b <= 'O')
        return kWyseFirstKey + (b - '@');
    if (b >= '`' && b <= 'o') {
        *shifted = 1;
        return kWyseFirstKey + (b - '`');
    }
    struct Named {
        u8 byte;
        int number, shift;
    };
    // clang-format off
    static const Named kNamed[] = {
        {' ', kWyseKeyEsc, 0}, {'%', kWyseKeyEsc, 1}, {'!', kWyseKeyTab, 0}, {'&', kWyseKeyTab, 1},
        {'"', kWyseKeyBackspace, 0}, {'\'', kWyseKeyBackspace, 1}, {'#', kWyseKeyDel, 0}, {'(', kWyseKeyDel, 1},
        {'$', kWyseKeyReturn, 0}, {')', kWyseKeyReturn, 1}, {'*', kWyseKeyHome, 0}, {'/', kWyseKeyHome, 1},
        {'+', kWyseKeyUp, 0}, {'0', kWyseKeyUp, 1}, {',', kWyseKeyDown, 0}, {'1', kWyseKeyDown, 1},
        {'-', kWyseKeyLeft, 0}, {'2', kWyseKeyLeft, 1}, {'.', kWyseKeyRight, 0}, {'3', kWyseKeyRight, 1},
        {'s', kWyseKeyEnter, 0}, {'4', kWyseKeyEnter, 1}, {'8', kWyseKeyInsert, 0}, {'q', kWyseKeyInsert, 0},
        {'7', kWyseKeyInsert, 1}, {'p', kWyseKeyInsert, 1}, {'r', kWyseKeyPageDown, 0},
        {'w', kWyseKeyPageDown, 1}, {'5', kWyseKeyDelete, 0}, {'6', kWyseKeyDelete, 1},
        {'R', kWyseKeyPrint, 0}, {'T', kWyseKeyPrint, 0}, {'t', kWyseKeyPrint, 0}, {'S', kWyseKeyPrint, 1},
        {'X', kWyseKeyPrint, 1}, {'u', kWyseKeyPrint, 1}, {'\\', kWyseKeyEnd, 0}, {'}', kWyseKeyEnd, 0},
        {']', kWyseKeyEnd, 1}, {'z', kWyseKeyEnd, 1}, {':', kWyseKeyPageUp, 0}, {';', kWyseKeyPageUp, 1},
        {'<', kWyseKeyKeypad5, 0}, {'=', kWyseKeyKeypad5, 1},
    };
    // clang-format on
    for (const Named& n : kNamed)
        if (n.byte == b) {
            *shifted = n.shift;
            return n.number;
        }
    return -1;
}

void WyseDefineKey(int number, int shifted, int sendType, const wchar16* text, int length)
{
    const u32 code = WyseKeyCode(number, shifted);
    if (length <= 0) {
        KeyDefinitionsLock lock;
        if (KeyDefinition* old = FindKeyDefinition(code, kWyseFunctionKey, -1))
            DeleteKeyDefinition(old);
        return;
    }
    ReplaceKeyDefinition(code, static_cast<u32>(sendType), kWyseFunctionKey, 0, static_cast<u32>(length), text,
                         nullptr, TextOrigin::Host);
}
