// The escape dispatch: the byte after ESC picks a handler from the native table (WY50,
// WY50+, WY60, the enhanced HZ1500), the TeleVideo table or the ADDS table; a byte the
// TeleVideo or ADDS table lacks goes to the native table when enhanced.
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

using Action = void (*)();
constexpr Action X = WyseIgnore;

// ESC + 0x20 .. 0x7E.
// clang-format off
constexpr Action kNative[95] = {
    /* sp ! " # */ WyseEscIdentify, WyseEscClearWithAttribute, WyseEscUnlockKeyboard, WyseEscLockKeyboard,
    /* $ % & ' */  X, WyseEscColourCode, WyseEscProtectOn, WyseEscProtectOff,
    /* ( ) * + */  WyseEscWriteProtectOff, WyseEscWriteProtectOn, WyseEscClearScreenNulls, WyseEscClearScreenSpaces,
    /* , - . / */  WyseEscClearScreenProtected, WyseEscCursorToPage, WyseEscClearToCharacter, WyseEscReportPageCursor,
    /* 0 1 2 3 */  WyseEscClearTabs, WyseEscSetTab, WyseEscClearTab, WyseEscClearTabs,
    /* 4 5 6 7 */  WyseEscSendLineUnprotected, WyseEscSendPageUnprotected, WyseEscSendLine, WyseEscSendPage,
    /* 8 9 : ; */  WyseEscMarkStart, WyseEscMarkEnd, WyseEscClearPageNulls, WyseEscClearPageSpaces,
    /* < = > ? */  X, WyseEscAddressCursor, X, WyseEscReportCursor,
    /* @ A B C */  WyseEscPrintRegionCrLf, WyseEscMessageAttribute, WyseEscBlockModeOn, WyseEscBlockModeOff,
    /* D E F G */  WyseEscDuplex, WyseEscInsertLine, WyseEscStatusMessage, WyseEscVideoAttribute,
    /* H I J K */  WyseEscGraphics, WyseEscBackTab, WyseEscPreviousPage, WyseEscNextPage,
    /* L M N O */  WyseEscPrintRegion, WyseEscSendCharacter, WyseEscAutoScrollOff, WyseEscAutoScrollOn,
    /* P Q R S */  WyseEscPrintRegionCrLf, WyseEscInsertCharacter, WyseEscDeleteLine, WyseEscSendMarked,
    /* T U V W */  WyseEscClearLineSpaces, WyseEscMonitorOn, WyseEscProtectColumn, WyseEscDeleteCharacter,
    /* X Y Z [ */  X, WyseEscClearPageEndSpaces, WyseEscDefineKey, WyseEscCursorToRow,
    /* \ ] ^ _ */  X, WyseEscUpperWindow, WyseEscReverseScreen, WyseEscCursorToColumn,
    /* ` a b c */  WyseEscScreenFeatures, WyseEscAddressDecimal, WyseEscReportDecimal, WyseEscSetup,
    /* d e f g */  WyseEscPrintControl, WyseEscModes, WyseEscLabelText, WyseEscLabelsOn,
    /* h i j k */  WyseEscLabelsOff, WyseEscTab, WyseEscReverseLineFeed, WyseEscLocalEditOn,
    /* l m n o */  WyseEscLocalEditOff, WyseEscProgramColour, X, X,
    /* p q r s */  WyseEscPrintRegion, WyseEscInsertModeOn, WyseEscInsertModeOff, WyseEscSendMarkedAll,
    /* t u v w */  WyseEscClearLineNulls, X, X, WyseEscPages,
    /* x y z { */  WyseEscSplit, WyseEscClearPageEndNulls, WyseEscLabels, WyseEscHome,
    /* | } ~ */    X, WyseEscLowerWindow, WyseEscPersonality,
};
// The TeleVideo table; null: not in it (the native table when enhanced).
constexpr Action kTvi[95] = {
    /* sp ! " # */ WyseTviEscBlank, WyseEscClearWithAttribute, WyseEscUnlockKeyboard, WyseEscLockKeyboard,
    /* $ % & ' */  WyseTviEscGraphicsOn, WyseTviEscGraphicsOff, WyseEscProtectOn, WyseEscProtectOff,
    /* ( ) * + */  WyseEscWriteProtectOff, WyseEscWriteProtectOn, WyseEscClearScreenNulls, WyseTviEscPlus,
    /* , - . / */  WyseEscClearScreenProtected, WyseEscCursorToPage, WyseTviEscPeriod, WyseEscReportPageCursor,
    /* 0 1 2 3 */  WyseEscClearTabs, WyseEscSetTab, WyseEscClearTab, WyseEscClearTabs,
    /* 4 5 6 7 */  WyseEscSendLineUnprotected, WyseEscSendPageUnprotected, WyseEscSendLine, WyseEscSendPage,
    /* 8 9 : ; */  WyseEscMarkStart, WyseEscMarkEnd, WyseEscClearPageNulls, WyseEscClearPageSpaces,
    /* < = > ? */  nullptr, WyseEscAddressCursor, nullptr, WyseEscReportCursor,
    /* @ A B C */  WyseTviControllerWithDisplay, nullptr, WyseEscBlockModeOn, WyseEscBlockModeOff,
    /* D E F G */  WyseEscDuplex, WyseEscInsertLine, WyseEscStatusMessage, WyseEscVideoAttribute,
    /* H I J K */  WyseEscGraphics, WyseEscBackTab, WyseEscPreviousPage, WyseEscNextPage,
    /* L M N O */  WyseEscPrintRegion, WyseEscSendCharacter, WyseTviEscDisplayOn, WyseTviEscDisplayOff,
    /* P Q R S */  WyseTviEscPrintPage, WyseEscInsertCharacter, WyseEscDeleteLine, WyseEscSendMarked,
    /* T U V W */  WyseEscClearLineSpaces, WyseEscMonitorOn, WyseEscProtectColumn, WyseEscDeleteCharacter,
    /* X Y Z [ */  nullptr, WyseEscClearPageEndSpaces, WyseEscDefineKey, nullptr,
    /* \ ] ^ _ */  nullptr, WyseEscCursorToColumn, WyseTviEscCaret, WyseTviEscUnderscore,
    /* ` a b c */  WyseControllerOn, nullptr, nullptr, nullptr,
    /* d e f g */  WyseEscAddressDecimal, nullptr, WyseEscLabelText, WyseEscLabelsOn,
    /* h i j k */  WyseEscLabelsOff, WyseEscTab, WyseTviEscJ, WyseTviEscK,
    /* l m n o */  WyseTviEscL, WyseTviEscM, nullptr, nullptr,
    /* p q r s */  WyseTviEscP, WyseTviEscQ, WyseEscInsertModeOff, WyseEscSendMarkedAll,
    /* t u v w */  WyseEscClearLineNulls, nullptr, WyseTviEscAutoPageOn, WyseTviEscAutoPageOff,
    /* x y z { */  WyseTviEscX, WyseEscClearPageEndNulls, WyseEscLabels, WyseEscHome,
    /* | } ~ */    nullptr, WyseEscLowerWindow, nullptr,
};
// clang-format on

// The ADDS A2's own escapes; anything else is native when enhanced.
Action AddsAction(int b)
{
    switch (b) {
    case '0': return WyseAddsEscAttribute;
    case '3': return WyseControllerOn;
    case '4': return WyseIgnore;
    case '5': return WyseEscLockKeyboard;
    case '6': return WyseEscUnlockKeyboard;
    case 'K': return WyseEscClearLineSpaces;
    case 'M': return WyseEscInsertLine;
    case 'Y': return WyseEscAddressCursor;
    case 'k': return WyseEscClearPageEndSpaces;
    case 'l': return WyseEscDeleteLine;
    default: return nullptr;
    }
}

Action NativeAction(int b)
{
    return b >= 0x20 && b <= 0x7E ? kNative[b - 0x20] : nullptr;
}

}  // namespace

void WyseEscapeDispatch()
{
    const int b = WyseReadHostByte();
    if (b < 0)
        return;
    const u8 id = WyId();
    if (b < 0x20) {
        // ESC and a control byte shows the byte's glyph; the HZ1500 takes it as "~".
        if (id == kEmuAddsA2)
            return;
        if (id == kEmuHz1500) {
            PushBackInputByte(static_cast<u8>(b));
            WyseHz1500LeadIn();
            return;
        }
        WysePutChar(static_cast<unsigned>(b));
        return;
    }
    Action action = nullptr;
    if (id == kEmuAddsA2)
        action = AddsAction(b);
    else if (WyIsTvi())
        action = b <= 0x7E ? kTvi[b - 0x20] : nullptr;
    else if (id != kEmuHz1500)
        action = NativeAction(b);
    if (!action && WySet.enhance)
        action = NativeAction(b);
    if (action)
        action();
}
