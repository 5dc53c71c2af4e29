#include "terminal/emulations/ibmhost/3270/address3270.h"
#include "terminal/emulations/ibmhost/3270/cells3270.h"
#include "terminal/emulations/ibmhost/3270/datastream3270.h"
#include "terminal/emulations/ibmhost/3270/printer/buffer3287.h"
#include "terminal/emulations/ibmhost/3270/inbound3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"
#include "terminal/core/host/hostio.h"

namespace {
constexpr u8 kWccResetModified = 0x01, kWccRestore = 0x02, kWccAlarm = 0x04, kWccStartPrint = 0x08,
             kWccReset = 0x40;

HostCell& At(I3270Session* s, i32 a)
{
    return s->cells[static_cast<std::size_t>(a)];
}

bool InProtectedField(const I3270Session* s, const HostCell* governing)
{
    return governing && (governing->flags & kCellProtected);
}

// Program Tab: to the first position of the next unprotected field. Right after data
// it nulls the rest of the field it leaves, as the hardware did.
void ProgramTab(I3270Session* s, bool afterOrder)
{
    i32 a = s->bufferAddress;
    const i32 first = FirstAddress(*s);
    for (i32 n = 0; n <= s->current.bufferSize; ++n) {
        HostCell& c = At(s, a);
        if (IsAttribute(c)) {
            afterOrder = true;
            if (!(c.flags & kCellProtected)) {
                s->bufferAddress = StepForward(*s, a);
                return;
            }
        } else if (!afterOrder) {
            I3270ClearCell(s, a);
        }
        a = StepForward(*s, a);
        if (a == first)
            break;
    }
    s->bufferAddress = a;
}

void EraseUnprotectedToAddress(I3270Session* s, i32 stop)
{
    i32 a = s->bufferAddress;
    const i32 g = GoverningAttribute(*s, a);
    const HostCell* field = g < 0 ? nullptr : &At(s, g);
    for (i32 n = 0; n < s->current.bufferSize; ++n) {
        HostCell& c = At(s, a);
        if (IsAttribute(c))
            field = &c;
        else if (!InProtectedField(s, field))
            I3270ClearCell(s, a);
        a = StepForward(*s, a);
        if (a == stop)
            break;
    }
    s->bufferAddress = stop;
}

u32 ReadDataChar(const u8*& p, int& remaining, u8 first, u8& character, bool& graphicEscape)
{
    graphicEscape = first == 0x08;
    character = first;
    if (!graphicEscape)
        return 0;
    if (remaining < 1)
        return kErrDataEnds;
    character = *p++;
    --remaining;
    return 0;
}

u32 RunOrders(I3270Session* s, const u8* p, int remaining)
{
    bool afterOrder = true;
    while (remaining > 0) {
        const u8 b = *p++;
        --remaining;
        u32 error = 0;
        switch (b) {
        case 0x05:
            ProgramTab(s, afterOrder);
            afterOrder = true;
            continue;
        case 0x11: {
            i32 address;
            if ((error = I3270ReadAddress(*s, p, remaining, address)))
                return error;
            s->bufferAddress = address;
            afterOrder = true;
            continue;
        }
        case 0x12: {
            i32 stop;
            if ((error = I3270ReadAddress(*s, p, remaining, stop)))
                return error;
            EraseUnprotectedToAddress(s, stop);
            afterOrder = true;
            continue;
        }
        case 0x13:
            s->cursor = s->bufferAddress;
            afterOrder = true;
            continue;
        case 0x1D: {
            if (remaining < 1)
                return kErrDataEnds;
            const u8 attribute = *p++;
            --remaining;
            const HostCell cell{0, static_cast<u8>((attribute & kFieldAttributeBits) | kCellAttribute), 0, 0, 0};
            I3270WriteAttributeCell(s, s->bufferAddress, cell);
            s->bufferAddress = StepForward(*s, s->bufferAddress);
            afterOrder = true;
            continue;
        }
        case 0x28: {
            if (s->extLevel < 2)
                return kErrOrderNotSupported;
            if (remaining < 2) {
                p += remaining;
                return kErrDataEnds;
            }
            const u8 type = p[0], value = p[1];
            p += 2;
            remaining -= 2;
            if ((error = I3270CheckAttribute(s, type, value, s->currentAttributes, false)))
                return error;
            afterOrder = true;
            continue;
        }
        case 0x29: {
            if (!s->extLevel)
                return kErrOrderNotSupported;
            HostCell cell{0, kCellAttribute, 0, 0, 0};
            if ((error = I3270ReadAttributePairs(s, p, remaining, cell, true)))
                return error;
            I3270WriteAttributeCell(s, s->bufferAddress, cell);
            s->bufferAddress = StepForward(*s, s->bufferAddress);
            afterOrder = true;
            continue;
        }
        case 0x2C: {
            if (!s->extLevel)
                return kErrOrderNotSupported;
            HostCell cell = At(s, s->bufferAddress);
            if (!IsAttribute(cell))
                return remaining > 0 ? kErrBadAddress : kErrDataEnds;
            if ((error = I3270ReadAttributePairs(s, p, remaining, cell, true)))
                return error;
            cell.flags &= static_cast<u8>(~kCellRepaint);
            I3270WriteAttributeCell(s, s->bufferAddress, cell);
            s->bufferAddress = StepForward(*s, s->bufferAddress);
            afterOrder = true;
            continue;
        }
        case 0x3C: {
            i32 stop;
            if ((error = I3270ReadAddress(*s, p, remaining, stop)))
                return error;
            if (remaining < 1)
                return kErrDataEnds;
            u8 character;
            bool ge;
            const u8 first = *p++;
            --remaining;
            if ((error = ReadDataChar(p, remaining, first, character, ge)))
                return error;
            i32 a = s->bufferAddress;
            for (i32 n = 0; n < s->current.bufferSize; ++n) {
                I3270WriteCell(s, a, s->currentAttributes, character, ge);
                a = StepForward(*s, a);
                if (a == stop)
                    break;
            }
            s->bufferAddress = stop;
            afterOrder = true;
            continue;
        }
        default: break;
        }
        u8 character;
        bool ge;
        if ((error = ReadDataChar(p, remaining, b, character, ge)))
            return error;
        I3270WriteCell(s, s->bufferAddress, s->currentAttributes, character, ge);
        s->bufferAddress = StepForward(*s, s->bufferAddress);
        afterOrder = false;
    }
    return 0;
}
}  // namespace

void I3270IdleAid(I3270Session* s)
{
    s->aid = s->model == k3287PrinterModel ? 0xE8 : 0x60;
}

void I3270KeyboardReset(I3270Session* s)
{
    s->lockStart = 0;
    s->keyboardLocked = 0;
    s->lockFlag = 0;
    s->operatorError = 0;
    s->systemLock = 0;
    s->programCheck = 0;
    I3270ShowInhibit(s);
}

u32 I3270CheckAttribute(const I3270Session* s, u8 type, u8 value, HostCell& cell, bool inField)
{
    switch (type) {
    case 0x00:
        if (value != 0 || inField)
            return kErrBadAttribute;
        cell.flags &= kCellAttribute;
        cell.character = cell.highlighting = cell.colour = cell.charset = 0;
        return 0;
    case 0x41:
        if (!(s->supportedTypes & 0x01))
            return kErrBadAttribute;
        if (value != 0 && value != 0xF0 && value != 0xF1 && value != 0xF2 && value != 0xF4 && value != 0xF8)
            return kErrBadAttribute;
        cell.highlighting = value;
        return 0;
    case 0x42:
        if (!(s->supportedTypes & 0x02))
            return kErrBadAttribute;
        if (value != 0 && (value < 0xF0 || !s->colourMap[value - 0xF0]))
            return kErrBadAttribute;
        cell.colour = value;
        return 0;
    case 0x43:
        if (!(s->supportedTypes & 0x04))
            return kErrBadAttribute;
        if (value == 0xFF)
            return kErrBadAttribute;
        if (value != 0 && (value != 0xF1 || inField || !s->apl2))
            return kErrCharsetValue;
        cell.charset = value;
        return 0;
    case 0xC0:
        if (!inField)
            return kErrBadAttribute;
        cell.flags = static_cast<u8>((cell.flags & kCellRepaint) | (value & kFieldAttributeBits) | kCellAttribute);
        return 0;
    default: return kErrBadAttribute;
    }
}

u32 I3270ReadAttributePairs(const I3270Session* s, const u8*& p, int& remaining, HostCell& cell, bool inField)
{
    if (remaining < 1)
        return kErrDataEnds;
    const int count = *p++;
    --remaining;
    if (remaining < 2 * count) {
        p += remaining;
        remaining = 0;
        return kErrDataEnds;
    }
    for (int i = 0; i < count; ++i) {
        const u8 type = p[0], value = p[1];
        p += 2;
        remaining -= 2;
        if (const u32 error = I3270CheckAttribute(s, type, value, cell, inField))
            return error;
    }
    return 0;
}

void I3270ResetModified(I3270Session* s)
{
    for (i32 a = 0; a < s->current.bufferSize; ++a) {
        HostCell& c = At(s, a);
        if (IsAttribute(c) && (c.flags & kCellModified)) {
            c.flags = static_cast<u8>((c.flags & ~kCellModified) | kCellRepaint);
            s->changed = 1;
        }
    }
}

u32 I3270Write(I3270Session* s, const u8* data, int length, bool printAllowed)
{
    // A write without its Write Control Character is refused as a command reject (as a
    // real station rejects it): the host must not take it for done.
    if (length <= 0)
        return kErrBadAttribute;
    s->systemLock = 1;
    I3270ShowInhibit(s);
    const u8 wcc = data[0];
    if (wcc & kWccReset) {
        // The reset bit ends an operator error and character reply mode; the keyboard
        // itself stays locked until the host restores it.
        s->replyMode = 0;
        if (s->operatorError) {
            s->operatorError = 0;
            I3270ShowInhibit(s);
        }
    }
    if ((wcc & kWccStartPrint) && !printAllowed)
        return kErrStartPrint;
    s->bufferAddress = s->cursor;
    if (wcc & kWccResetModified)
        I3270ResetModified(s);
    if (s->model == k3287PrinterModel && (wcc & kWccStartPrint)) {
        static constexpr i16 kLineLengths[4] = {132, 40, 64, 80};
        s->current.columns = kLineLengths[(wcc >> 4) & 3];
        s->current.rows = static_cast<i16>(s->current.bufferSize / s->current.columns);
    }
    s->currentAttributes = HostCell{};
    const u32 error = RunOrders(s, data + 1, length - 1);
    I3270UpdateDisplay(s);
    if (error)
        return error;
    if (wcc & kWccRestore) {
        I3270IdleAid(s);
        I3270UnlockKeyboard(s);
    }
    if (wcc & kWccAlarm)
        RequestBell();
    if (s->model == k3287PrinterModel && (wcc & kWccStartPrint))
        I3270PrintBuffer(s);
    return 0;
}

void I3270Erase(I3270Session* s, bool alternate)
{
    s->alternateInUse = alternate ? 1 : 0;
    s->current = alternate ? s->alternate : s->defaults;
    s->cursor = FirstAddress(*s);
    I3270ClearCells(s);
    s->repaintAll = 1;
    s->lastError = 0;
    I3270KeyboardReset(s);
    RedrawOia(s);
    I3270MarkAllCells(s);
    I3270UpdateDisplay(s);
}

void I3270EraseScreen(I3270Session* s, bool alternate)
{
    const bool reversedInput = (s->direction & 0x03) != 0, mirrored = (s->direction & 0x04) != 0;
    if (reversedInput && !mirrored)
        s->direction &= static_cast<u16>(~0x0B);
    else if (!reversedInput && mirrored)
        s->direction |= 0x0E;
    s->partitionCreated = 0;
    I3270Erase(s, alternate);
    s->bufferAddress = s->cursor;
    s->replyMode = 0;
}

u32 I3270EraseWrite(I3270Session* s, const u8* data, int length, bool alternate, bool printAllowed)
{
    // Without its Write Control Character nothing is erased, and the command is rejected.
    if (length <= 0)
        return kErrBadAttribute;
    if (data[0] & kWccReset) {
        I3270EraseScreen(s, alternate);
    } else {
        bool size = alternate;
        if (s->partitionCreated)
            size = s->current.bufferSize != s->defaults.bufferSize;
        I3270Erase(s, size);
    }
    return I3270Write(s, data, length, printAllowed);
}

void I3270EraseUnprotected(I3270Session* s)
{
    if (!IsFormatted(*s)) {
        s->cursor = 0;
        I3270ClearCells(s);
        I3270MarkAllCells(s);
        s->repaintAll = 1;
        I3270UpdateDisplay(s);
        return;
    }
    i32 cursor = -1;
    if (!(GoverningCell(*s, 0).flags & kCellProtected) && !IsAttribute(At(s, 0)))
        cursor = (s->direction & 0x03) ? s->current.bufferSize - 1 : 0;
    const i32 g = GoverningAttribute(*s, s->current.bufferSize - 1);
    const HostCell* field = g < 0 ? nullptr : &At(s, g);
    for (i32 a = 0; a < s->current.bufferSize; ++a) {
        HostCell& c = At(s, a);
        if (IsAttribute(c)) {
            field = &c;
            if (!(c.flags & kCellProtected) && (c.flags & kCellModified)) {
                c.flags = static_cast<u8>((c.flags & ~kCellModified) | kCellRepaint);
                s->changed = 1;
            }
        } else if (!InProtectedField(s, field)) {
            c = HostCell{0, kCellRepaint, 0, 0, 0};
            s->changed = 1;
            if (cursor < 0)
                cursor = a;
        }
    }
    s->cursor = cursor < 0 ? 0 : cursor;
    I3270UpdateDisplay(s);
}

u32 I3270EraseAllUnprotected(I3270Session* s, const u8*, int length, bool allowed)
{
    if (length > 0 || !allowed)
        return kErrBadAttribute;
    I3270EraseUnprotected(s);
    I3270IdleAid(s);
    I3270UnlockKeyboard(s);
    return 0;
}

u32 I3270ExecuteCommand(I3270Session* s, const u8* data, int length, u8 command)
{
    s->lastError = 0;
    // clang-format off
    switch (command) {
    case 0x01: case 0xF1:
        return I3270Write(s, data, length, true);
    case 0x02: case 0xF2: case 0x06: case 0xF6: case 0x6E:
        return I3270ReadCommand(s, data, length, command);
    case 0x03:
        return 0;
    case 0x05: case 0xF5:
        return I3270EraseWrite(s, data, length, false, true);
    case 0x0D: case 0x7E:
        return I3270EraseWrite(s, data, length, true, true);
    case 0x0F: case 0x6F:
        return I3270EraseAllUnprotected(s, data, length, true);
    case 0x11: case 0xF3:
        return I3270WriteStructuredField(s, data, length);
    default:
        return kErrUnknownCommand;
    }
    // clang-format on
}

u32 I3270ExecutePrinterCommand(I3270Session* s, const u8* data, int length, u8 command)
{
    // clang-format off
    switch (command) {
    case 0x02: case 0xF2: case 0x06: case 0xF6: case 0x6E:
        return kErrUnknownCommand;
    default:
        return I3270ExecuteCommand(s, data, length, command);
    }
    // clang-format on
}
