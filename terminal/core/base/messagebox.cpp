#include "terminal/core/base/messagebox.h"

#include <cwchar>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"

namespace {
constexpr int kTextUnits = 256;

int Show(const wchar_t* text)
{
    SetModalFlag(1);
    const int result = MessageBoxW(MainWindowHandle, text, nullptr, MB_ICONEXCLAMATION);
    SetModalFlag(0);
    return result;
}
}  // namespace

int ShowMessage(const wchar16* text)
{
    return Show(text);
}

int MessageBoxById(u32 id)
{
    wchar_t text[kTextUnits];
    LoadLanguageString(InstanceHandle, id, text, kTextUnits);
    return Show(text);
}

// Formats are language texts; arguments go through %s or %d only, into a bounded buffer.
int MessageBoxFormatId(u32 id, const wchar16* argument)
{
    wchar_t format[kTextUnits], text[kTextUnits];
    LoadLanguageString(InstanceHandle, id, format, kTextUnits - 1);
    _snwprintf(text, kTextUnits - 1, format, argument ? argument : L"");
    text[kTextUnits - 1] = 0;
    return Show(text);
}

int MessageBoxFormatIdNumber(u32 id, i32 argument)
{
    wchar_t format[kTextUnits], text[kTextUnits];
    LoadLanguageString(InstanceHandle, id, format, kTextUnits - 1);
    _snwprintf(text, kTextUnits - 1, format, argument);
    text[kTextUnits - 1] = 0;
    return Show(text);
}

int MessageBoxFormatId2(u32 id, const wchar16* argument1, const wchar16* argument2)
{
    wchar_t format[kTextUnits], text[kTextUnits];
    LoadLanguageString(InstanceHandle, id, format, kTextUnits - 1);
    _snwprintf(text, kTextUnits - 1, format, argument1 ? argument1 : L"", argument2 ? argument2 : L"");
    text[kTextUnits - 1] = 0;
    return Show(text);
}

int MessageBoxFormatIdTextNumber(u32 id, const wchar16* text, i32 number)
{
    wchar_t format[kTextUnits], out[kTextUnits];
    LoadLanguageString(InstanceHandle, id, format, kTextUnits - 1);
    _snwprintf(out, kTextUnits - 1, format, text ? text : L"", number);
    out[kTextUnits - 1] = 0;
    return Show(out);
}

int ShowTcpIpErrorBox(i32 code)
{
    constexpr u32 kErrorWord = 16003, kUnableToConnect = 7200;
    constexpr i32 kErrorTextBase = 2725;  // the text of error n is string n - 2725
    wchar_t caption[64] = L"TCP/IP - ", word[32], text[kTextUnits];
    if (LoadLanguageString(InstanceHandle, kErrorWord, word, 32) <= 0)
        wcscpy(word, L"Error");
    wcsncat(caption, word, 63 - wcslen(caption));
    if (code <= kErrorTextBase ||
        LoadLanguageString(InstanceHandle, static_cast<u32>(code - kErrorTextBase), text, kTextUnits) <= 0)
        return MessageBoxFormatIdNumber(kUnableToConnect, code);
    SetModalFlag(1);
    const int result = MessageBoxW(MainWindowHandle, text, caption, MB_ICONEXCLAMATION);
    SetModalFlag(0);
    return result;
}
