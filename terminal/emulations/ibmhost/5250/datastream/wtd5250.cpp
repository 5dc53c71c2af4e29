#include "terminal/emulations/ibmhost/5250/datastream/wtd5250.h"

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/replies5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/wdsf5250.h"

namespace {
constexpr u8 kOrderSoh = 0x01, kOrderRa = 0x02, kOrderEa = 0x03, kOrderEscape = 0x04, kOrderTd = 0x10,
             kOrderSba = 0x11, kOrderWea = 0x12, kOrderIc = 0x13, kOrderMc = 0x14, kOrderWdsf = 0x15,
             kOrderSf = 0x1D;

// The state of one Write To Display.
struct Writer {
    I5250Session* s;
    const u8* p;
    int remaining;
    i32 address = 1;
    bool addressSet = false;
    i32 continuedField = -1;  // the entry a continued field adds its extents to

    u8 At(int i) const { return p[i]; }
    void Use(int n)
    {
        p += n;
        remaining -= n;
    }
    i32 Last() const { return s->current.bufferSize; }

    // Row and column (1-based) at p[1], p[2] into an address; columnZero allows column 0.
    u32 Position(i32& out, bool columnZero = false) const
    {
        const int row = p[1], column = p[2];
        if (row < 1 || row > s->current.rows || column > s->current.columns || (column < 1 && !columnZero))
            return kSenseRowColumn;
        out = static_cast<i32>(row - 1) * s->current.columns + column;
        return 0;
    }

    u32 StartOfHeader();
    u32 RepeatToAddress();
    u32 EraseToAddress();
    u32 TransparentData();
    u32 SetBufferAddress();
    u32 ExtendedAttribute();
    u32 Cursor(bool move);
    u32 StructuredField();
    u32 StartOfField();
    u32 Data();
    u32 Run();
};

// Whether data written at an address is data although it lies in 0x20-0x3F: inside a
// transparent input field.
bool WrittenAsData(const I5250Session* s, i32 address)
{
    const I5250FieldAt at = I5250FindField(s, address);
    return at.field >= 0 && (s->fields[static_cast<std::size_t>(at.field)].control & 0x08);
}

u32 Writer::StartOfHeader()
{
    if (remaining < 3)
        return kSensePremature;
    const int n = p[1];
    // The header's n bytes must all be there, not only the first.
    if (n < 1 || n > 7 || remaining < n + 2)
        return kSensePremature;
    const u8* header = p + 2;
    if (s->inputState == 6 || s->inputState == 7) {
        const int row = n > 3 ? header[3] : 0;
        const bool keeps = row >= 1 && row <= s->current.rows ? row - 1 == s->errorRow
                                                              : s->errorRow == s->defaultErrorRow;
        if (!keeps)
            return kSenseState;
    }
    I5250ClearFormatTableEntries(s);
    address = 1;
    s->insertCursor = 0;
    for (int i = 0; i < 7; ++i)
        s->header[i] = i < n ? header[i] : 0;
    s->headerLength = static_cast<u8>(n);
    const int row = n > 3 ? header[3] : 0;
    s->errorRow = row >= 1 && row <= s->current.rows ? static_cast<i16>(row - 1) : s->defaultErrorRow;
    Use(n + 2);
    return 0;
}

u32 Writer::RepeatToAddress()
{
    if (remaining < 4)
        return kSensePremature;
    i32 target;
    if (const u32 e = Position(target))
        return e;
    if (target < address)
        return kSenseBeforeAddress;
    const u8 byte = p[3];
    for (i32 a = address; a <= target; ++a)
        I5250WriteCell(s, byte, a, WrittenAsData(s, a));
    address = target + 1;
    Use(4);
    return 0;
}

u32 Writer::EraseToAddress()
{
    if (remaining < 5)
        return kSensePremature;
    const int length = p[3];
    if (length < 2 || length > 5 || remaining < length + 3)
        return kSensePremature;
    i32 target;
    if (Position(target) || target < address)
        return kSenseRowColumn;
    bool types[4] = {};
    for (int i = 0; i < length - 1; ++i) {
        const u8 t = p[4 + i];
        if (t == 0xFF) {
            types[0] = types[1] = types[2] = true;
            types[3] = !s->monochrome;
        } else if (t <= 2 || (t == 3 && !s->monochrome)) {
            types[t] = true;
        } else {
            return kSenseExtendedType;
        }
    }
    for (i32 a = address; a <= target; ++a) {
        if (types[0])
            I5250WriteCell(s, 0, a, false);
        HostCell& c = s->cells[static_cast<std::size_t>(a)];
        if (types[1])
            c.extended = 0;
        if (types[2])
            c.textAssist = 0;
        if (types[3])
            c.foreground = 0;
        I5250MarkCell(s, a);
    }
    address = target + 1;
    Use(length + 3);
    return 0;
}

u32 Writer::TransparentData()
{
    if (remaining < 3)
        return kSensePremature;
    const int length = p[1] << 8 | p[2];
    if (remaining < length + 3)
        return kSensePremature;
    if (address + length - 1 > Last())
        return kSensePastEnd;
    for (int i = 0; i < length; ++i)
        I5250WriteCell(s, p[3 + i], address++, true);
    Use(length + 3);
    return 0;
}

u32 Writer::SetBufferAddress()
{
    if (remaining < 3)
        return kSensePremature;
    // Column 0 of row 1 places the attribute of a field that starts at address 1.
    const bool sfFollows = remaining > 3 && p[3] == kOrderSf && p[1] == 1;
    if (const u32 e = Position(address, sfFollows))
        return e;
    addressSet = true;
    Use(3);
    return 0;
}

u32 Writer::ExtendedAttribute()
{
    if (remaining < 3)
        return kSensePremature;
    const u8 type = p[1], value = p[2];
    if (type != 1 && !(type == 3 && !s->monochrome))
        return kSenseExtendedType;
    if (value && (value & 0xE0) != 0x80)
        return kSenseExtendedValue;
    if (address >= 1 && address <= Last())
        I5250WriteExtendedAttribute(s, address, type, value);
    Use(3);
    return 0;
}

u32 Writer::Cursor(bool move)
{
    if (remaining < 3)
        return kSensePremature;
    i32 target;
    if (const u32 e = Position(target))
        return e;
    s->insertCursor = target;
    if (move)
        address = target;
    else
        s->homeAddress = target;
    Use(3);
    return 0;
}

u32 Writer::StructuredField()
{
    if (remaining < 3)
        return kSensePremature;
    const int length = p[1] << 8 | p[2];
    if (length + 1 > remaining)
        return kSenseLength;
    const u32 e = I5250WriteDisplayStructuredField(s, p + 1, length, address);
    Use(length + 1);
    return e;
}

u32 Writer::StartOfField()
{
    if (remaining < 4)
        return kSensePremature;
    int i = 1;
    const bool input = (p[i] & 0xC0) == 0x40;
    I5250Field def{};
    u8 continued = 0;
    if (input) {
        def.ffw[0] = p[i];
        def.ffw[1] = p[i + 1];
        i += 2;
        u8 given = 0;  // the first word of a kind wins
        while (i < remaining && p[i] >= 0x80) {
            if (remaining - i < 2)
                return kSensePremature;
            const u8 kind = p[i], value = p[i + 1];
            i += 2;
            switch (kind) {
            case 0x80:
                if (!(def.controlWords & kFcwResequence)) {
                    def.controlWords |= kFcwResequence;
                    def.resequence = value;
                }
                break;
            case 0x81:
                if (!(def.controlWords & kFcwSelection) &&
                    (value == 1 || value == 2 || value == 3 || value == 6)) {
                    def.controlWords |= kFcwSelection;
                    def.selection = value;
                    if (value == 2 || value == 3)
                        def.selectFlags |= 0x02;
                    else if (value == 6) {
                        def.selectFlags |= 0x04;
                        def.selectAid = 0x3F;  // the selector light pen's auto enter
                    }
                }
                break;
            case 0x84: def.controlWords |= kFcwIdeographic; break;
            case 0x85:
                if (value == 1 && !(def.controlWords & kFcwTransparency)) {
                    def.controlWords |= kFcwTransparency;
                    def.control |= 0x08;
                }
                break;
            case 0x86:
                if (value >= 1 && value <= 3 && !(def.controlWords & kFcwContinued)) {
                    def.controlWords |= kFcwContinued;
                    continued = value;
                } else if (value == 0x80 && !(def.controlWords & kFcwWordWrap)) {
                    def.controlWords |= kFcwWordWrap;
                    def.control |= 0x40;
                }
                break;
            case 0x88:
                if (!(def.controlWords & kFcwProgression)) {
                    def.controlWords |= kFcwProgression;
                    def.progression = value;
                    s->progressionDefined = 1;
                }
                break;
            case 0x89:
                if (!(given & 0x01)) {
                    given |= 0x01;
                    const u8 entry = static_cast<u8>((value & 0x1F) | 0x20);
                    if ((value & 0xC0) == 0x00 || (value & 0xC0) == 0x40) {
                        def.entryFlags |= 0x03;
                        def.monoEntry = def.colourEntry = entry;
                    } else if ((value & 0xC0) == 0x80) {
                        def.entryFlags |= 0x02;
                        def.colourEntry = entry;
                    }
                }
                break;
            case 0x8A:
                if (!(def.entryFlags & 0x04)) {
                    def.entryFlags |= 0x04;
                    def.pointer = value;
                }
                break;
            case 0xB1:
                if ((value == 0x40 || value == 0xA0) && !(def.entryFlags & 0x08)) {
                    def.entryFlags |= 0x08;
                    def.selfCheck = value;
                }
                break;
            default: break;
            }
        }
        (void)given;
    }
    if (remaining - i < 3)
        return kSensePremature;
    const u8 attribute = p[i];
    const int length = p[i + 1] << 8 | p[i + 2];
    i += 3;
    if (!IsAttributeByte(attribute))
        return kSenseAttribute;
    def.attribute = attribute;
    const u8 shift = def.ffw[0] & kFfwShift;
    const i32 start = address;
    const bool spansRows = ColumnOf(s, start + 1 > Last() ? Last() : start + 1) + length > s->current.columns;
    if (length == 0 || (input && length == 1 && shift == kShiftSigned) || (input && continued && spansRows) ||
        (input && (def.entryFlags & 0x08) && length > 33))
        return kSenseFieldLength;
    if (start + length > Last())
        return kSenseFieldEnd;
    // Continued fields: first opens, middle and last join the open one.
    if (input) {
        if (continuedField >= 0 && (continued == 0 || continued == 1))
            return kSenseContinued;
        if (continuedField < 0 && (continued == 2 || continued == 3))
            return kSenseContinued;
        if ((def.controlWords & kFcwWordWrap) && continued != 1)
            return kSenseWordWrap;
    }
    int redefine = -1;
    if (input && continuedField < 0 && addressSet && !s->fields.empty() &&
        start <= I5250FieldLast(s->fields.back())) {
        redefine = I5250FindFieldStartingAt(s, start) - 1;
        if (redefine < 0)
            return kSenseRedefinition;
    }
    if (input && redefine < 0 && continuedField < 0 && s->fields.size() >= s->maxInputFields)
        return kSenseTooManyFields;

    if (start >= 1)
        I5250WriteCell(s, attribute, start, false);
    for (i32 a = start + 1; a <= start + length; ++a) {
        HostCell& c = s->cells[static_cast<std::size_t>(a)];
        if (input && !(def.ffw[0] & kFfwBypass))
            c.flags |= kCellInField;
        else
            c.flags &= static_cast<u8>(~kCellInField);
        I5250MarkCell(s, a);
    }
    if (start + length < Last() && redefine < 0)
        I5250WriteCell(s, 0x20, start + length + 1, false);
    if (input) {
        const I5250Extent extent{static_cast<u16>(start), static_cast<u16>(length), continued, 0};
        if (redefine >= 0) {
            I5250Field& f = s->fields[static_cast<std::size_t>(redefine)];
            std::vector<I5250Extent> extents = f.extents;
            f = def;
            f.extents = extents;
        } else if (continuedField >= 0) {
            I5250Field& f = s->fields[static_cast<std::size_t>(continuedField)];
            f.extents.push_back(extent);
        } else {
            def.extents.push_back(extent);
            s->fields.push_back(def);
        }
        const i32 index = redefine >= 0         ? redefine
                          : continuedField >= 0 ? continuedField
                                                : static_cast<i32>(s->fields.size()) - 1;
        continuedField = continued == 1 || continued == 2 ? index : -1;
        if (def.ffw[0] & kFfwMdt)
            s->fieldModified = 1;
        s->invite = 0;
    }
    address = start + 1;
    addressSet = false;
    Use(i);
    return 0;
}

u32 Writer::Data()
{
    if (address > Last())
        return kSensePastEnd;
    I5250WriteCell(s, p[0], address, WrittenAsData(s, address));
    ++address;
    Use(1);
    return 0;
}

u32 Writer::Run()
{
    while (remaining > 0) {
        u32 e;
        const u8 order = p[0];
        switch (order) {
        case kOrderEscape: return 0;
        case kOrderSoh: e = StartOfHeader(); break;
        case kOrderRa: e = RepeatToAddress(); break;
        case kOrderEa: e = EraseToAddress(); break;
        case kOrderTd: e = TransparentData(); break;
        case kOrderSba: e = SetBufferAddress(); break;
        case kOrderWea: e = ExtendedAttribute(); break;
        case kOrderIc: e = Cursor(false); break;
        case kOrderMc: e = Cursor(true); break;
        case kOrderWdsf: e = StructuredField(); break;
        case kOrderSf: e = StartOfField(); break;
        default: e = Data(); break;
        }
        if (e)
            return e;
        // A field is redefined only by a Start of Field right after Set Buffer Address.
        if (order != kOrderSba)
            addressSet = false;
    }
    return 0;
}
}  // namespace

u32 I5250StateRule(I5250Session* s)
{
    if (s->inputState == 4 || s->inputState == 8)
        return kSenseState;
    if (s->inputState == 1)
        I5250SetInputState(s, 3);
    return 0;
}

void I5250WriteExtendedAttribute(I5250Session* s, i32 address, int type, u8 value)
{
    auto byte = [type](HostCell& c) -> u8& {
        return type == 1 ? c.extended : type == 2 ? c.textAssist : c.foreground;
    };
    HostCell& first = s->cells[static_cast<std::size_t>(address)];
    const u8 start = static_cast<u8>(value | 0x80);
    if (byte(first) == start)
        return;
    byte(first) = start;
    I5250MarkCell(s, address);
    for (i32 a = address + 1; a <= s->current.bufferSize; ++a) {
        HostCell& c = s->cells[static_cast<std::size_t>(a)];
        if (byte(c) & 0x80)
            break;
        byte(c) = static_cast<u8>(value & 0x7F);
        I5250MarkCell(s, a);
    }
}

void I5250ApplyControlByte1(I5250Session* s, u8 cc1)
{
    const u8 kind = cc1 & 0xE0;
    if (kind < 0x20)
        return;
    I5250ClearPendingAid(s);
    I5250SetInhibit(s, 1);
    if (!s->text.mode)
        I5250SetInsertMode(s, 0);
    switch (kind) {
    case 0x40:
        I5250ResetFieldMdt(s, false);
        s->fieldModified = 0;
        break;
    case 0x60:
        I5250ResetFieldMdt(s, true);
        s->fieldModified = 0;
        break;
    case 0x80: I5250NullFields(s, false); break;
    case 0xA0:
        I5250ResetFieldMdt(s, false);
        s->fieldModified = 0;
        I5250NullFields(s, true);
        break;
    case 0xC0:
        I5250ResetFieldMdt(s, false);
        s->fieldModified = 0;
        I5250NullFields(s, false);
        break;
    case 0xE0:
        I5250ResetFieldMdt(s, true);
        s->fieldModified = 0;
        I5250NullFields(s, true);
        break;
    default: break;
    }
    I5250RecheckModified(s);
}

void I5250ApplyControlByte2(I5250Session* s, u8 cc2)
{
    if (!I5250Config.ignoreCursor && (cc2 & 0x30))
        s->cursorBlink = (cc2 & 0x10) ? 0 : 1;
    if ((cc2 & 0x08) && s->inhibited) {
        s->invite = 0;
        if (s->inputState == 1 || s->inputState == 3 || s->inputState == 5) {
            I5250SetInputState(s, 3);
            I5250ResetInputState(s);
        }
        if (!(cc2 & 0x40))
            I5250MoveCursor(s, I5250HomeAddress(s));
    }
    if (cc2 & 0x01)
        I5250SetMessageWaiting(s, 1);
    else if (cc2 & 0x02)
        I5250SetMessageWaiting(s, 0);
    if (cc2 & 0x04)
        RequestBell();
}

u32 I5250WriteToDisplay(I5250Session* s, const u8*& p, int& remaining)
{
    if (const u32 e = I5250StateRule(s))
        return e;
    if (remaining < 2)
        return kSensePremature;
    const u8 cc1 = p[0], cc2 = p[1];
    p += 2;
    remaining -= 2;
    I5250ApplyControlByte1(s, cc1);
    Writer w{s, p, remaining};
    u32 e = w.Run();
    p = w.p;
    remaining = w.remaining;
    I5250UpdateDisplay(s, false);
    if (!e && w.continuedField >= 0)
        e = kSenseContinued;
    if (e)
        return e;
    I5250ApplyControlByte2(s, cc2);
    if (s->insertCursor)
        I5250MoveCursor(s, s->insertCursor);
    return 0;
}
