#include "terminal/emulations/ibmhost/5250/datastream/replies5250.h"

#include <vector>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textassist5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/wtd5250.h"

namespace {
bool ModifiedOnly(u8 command)
{
    return command == 0x52 || command == 0x82 || command == 0x83;
}

bool NullsAsBlanks(u8 command)
{
    return command == 0x42 || command == 0x52;
}

bool KeepsTrailingNulls(u8 command)
{
    return command == 0x42 || command == 0x72;
}

bool AnyFieldModified(const I5250Session* s)
{
    if (s->fieldModified)
        return true;
    for (const I5250Field& f : s->fields)
        if (f.ffw[0] & kFfwMdt)
            return true;
    for (const I5250SelectionField& f : s->selections)
        if (f.flags & 0x01)
            return true;
    return false;
}

void PutAddress(I5250Session* s, i32 address)
{
    I5250Put(s, 0x11);
    I5250Put(s, static_cast<u8>(RowOf(s, address) + 1));
    I5250Put(s, static_cast<u8>(ColumnOf(s, address) + 1));
}

// A selection field: its position, then the chosen choice (single choice) or a byte for
// every choice padded to the field's rows x columns.
bool AppendSelectionField(I5250Session* s, bool modifiedOnly, i32 start)
{
    for (const I5250SelectionField& f : s->selections) {
        if (f.first != start + 1)
            continue;
        if (modifiedOnly && !(f.flags & 0x01))
            return true;
        PutAddress(s, f.first);
        if (!f.multiple) {
            for (std::size_t i = 0; i < f.choices.size(); ++i)
                if (f.choices[i].state == 0) {
                    I5250Put(s, static_cast<u8>(0x20 + i + 1));
                    break;
                }
            return true;
        }
        std::size_t written = 0;
        for (const I5250Choice& c : f.choices) {
            I5250Put(s, c.state == 0 ? 0x1F : 0x00);
            ++written;
        }
        for (std::size_t n = static_cast<std::size_t>(f.rows) * f.columns; written < n; ++written)
            I5250Put(s, 0x00);
        return true;
    }
    return false;
}

void AppendField(I5250Session* s, const I5250Field& f, u8 command)
{
    const bool modifiedOnly = ModifiedOnly(command);
    if (AppendSelectionField(s, modifiedOnly, f.extents.front().start))
        return;
    if (modifiedOnly && !(f.ffw[0] & kFfwMdt))
        return;
    const bool ideographic = (f.controlWords & kFcwIdeographic) != 0;
    const bool continued = (f.controlWords & kFcwContinued) != 0;
    const bool signedNumeric = (f.ffw[0] & kFfwShift) == kShiftSigned;
    std::vector<u8> bytes;
    int total = 0;
    for (const I5250Extent& x : f.extents)
        for (i32 a = x.start + 1; a <= x.start + x.length; ++a) {
            bytes.push_back(s->cells[static_cast<std::size_t>(a)].character);
            ++total;
        }
    if (modifiedOnly) {
        PutAddress(s, I5250FieldFirst(f));
        if (ideographic) {
            I5250Put(s, 0x10);
            I5250Put16(s, static_cast<u16>(total));
        }
    }
    bool minus = false;
    if (signedNumeric && !bytes.empty()) {
        minus = bytes.back() == 0x60;
        bytes.pop_back();
    }
    if (!KeepsTrailingNulls(command))
        while (!bytes.empty() && bytes.back() == 0)
            bytes.pop_back();
    if (minus) {
        // The sign position goes with the last digit's zone.
        for (auto it = bytes.rbegin(); it != bytes.rend(); ++it)
            if (*it) {
                *it = static_cast<u8>((*it & 0x0F) | 0xD0);
                break;
            }
    }
    // A continued field's nulls are left out of its data; the all-fields reads add as
    // many after it.
    int nulls = 0;
    for (u8 b : bytes) {
        if (b == 0 && continued) {
            ++nulls;
            continue;
        }
        I5250Put(s, b == 0 ? (NullsAsBlanks(command) && !ideographic ? 0x40 : 0x00) : b);
    }
    if (continued && !modifiedOnly)
        for (; nulls > 0; --nulls)
            I5250Put(s, 0x00);
}
}  // namespace

bool I5250AidWithoutData(const I5250Session* s, u8 aid)
{
    u8 byte, bit;
    if (aid >= 0x31 && aid <= 0x38) {
        byte = s->header[6];
        bit = static_cast<u8>(1 << (aid - 0x31));
    } else if (aid >= 0x39 && aid <= 0x3C) {
        byte = s->header[5];
        bit = static_cast<u8>(1 << (aid - 0x39));
    } else if (aid >= 0xB1 && aid <= 0xB4) {
        byte = s->header[5];
        bit = static_cast<u8>(0x10 << (aid - 0xB1));
    } else if (aid >= 0xB5 && aid <= 0xBC) {
        byte = s->header[4];
        bit = static_cast<u8>(1 << (aid - 0xB5));
    } else {
        return false;
    }
    return (byte & bit) != 0;
}

void I5250SnapCursorToSelection(I5250Session* s)
{
    const I5250ChoiceAt at = I5250FindChoice(s, s->cursor);
    if (at.field >= 0 && at.choice >= 0)
        s->cursor =
            s->selections[static_cast<std::size_t>(at.field)].choices[static_cast<std::size_t>(at.choice)].start;
}

void I5250BuildReadReply(I5250Session* s, u8 aid, u8 command)
{
    I5250SnapCursorToSelection(s);
    I5250BuildDisplayHeader(s, 0, command == 0x72 || command == 0x83 ? 6 : 3);
    I5250Put(s, static_cast<u8>(RowOf(s, s->cursor) + 1));
    I5250Put(s, static_cast<u8>(ColumnOf(s, s->cursor) + 1));
    I5250Put(s, aid);
    if (AnyFieldModified(s) && !I5250AidWithoutData(s, aid)) {
        const std::size_t n = s->fields.size();
        std::vector<bool> visited(n, false);
        std::size_t i = s->header[2] >= 1 && s->header[2] <= n ? s->header[2] - 1u : 0;
        // Resequence values may name each other: every field is read once.
        while (i < n && !visited[i]) {
            visited[i] = true;
            const I5250Field& f = s->fields[i];
            AppendField(s, f, command);
            if (s->header[2] && f.resequence && f.resequence <= n)
                i = f.resequence - 1u;
            else
                ++i;
        }
    }
    I5250SendRecord(s);
}

void I5250SendPendingRead(I5250Session* s)
{
    const u8 aid = s->pendingAid, command = s->pendingRead ? s->pendingRead : 0x52;
    const u8 cc1 = s->readControl[0], cc2 = s->readControl[1];
    if (s->text.mode)
        I5250BuildTextReply(s, aid);
    else
        I5250BuildReadReply(s, aid, command);
    s->pendingAid = 0;
    s->pendingRead = 0;
    s->invite = 0;
    I5250ApplyControlByte1(s, cc1);
    I5250ApplyControlByte2(s, cc2);
}

void I5250SendAid(I5250Session* s, u8 aid)
{
    if (ModalOpen || LocalMode)
        return;
    I5250SetInputState(s, 5);
    s->aid = aid;
    s->pendingAid = aid;
    if (s->invite)
        I5250SendPendingRead(s);
}

void I5250ClearPendingAid(I5250Session* s)
{
    s->pendingAid = 0;
    s->pendingRead = 0;
    s->invite = 0;
}

void I5250ResetInvite(I5250Session* s)
{
    s->pendingAid = 0;
    s->invite = 0;
    s->fieldModified = 1;
}

void I5250SetInvite(I5250Session* s)
{
    s->invite = 1;
    if (s->pendingAid)
        I5250SendPendingRead(s);
}
