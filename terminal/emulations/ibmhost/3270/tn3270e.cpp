#include "terminal/emulations/ibmhost/3270/tn3270e.h"

#include "terminal/comms/telnet/network.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/emulations/ibmhost/3270/datastream3270.h"
#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"
#include "terminal/emulations/ibmhost/3270/inbound3270.h"
#include "terminal/emulations/ibmhost/3270/models3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"
#include "terminal/emulations/ibmhost/3270/printer/job3287.h"
#include "terminal/emulations/ibmhost/3270/printer/scs3287.h"

namespace {
// clang-format off
enum DataType : u8 {
    k3270Data = 0, kScsData = 1, kResponse = 2, kBindImage = 3, kUnbind = 4, kNvtData = 5,
    kRequest = 6, kSscpLuData = 7, kPrintEoj = 8,
};
// clang-format on

// clang-format off
bool Agreed(int function) { return Telnet.functions[function] != 0; }
constexpr int kFnBindImage = 0, kFnDataStreamCtl = 1, kFnResponses = 2, kFnScsCtlCodes = 3,
              kFnSysReq = 4;

bool IsPrinter(const I3270Session* s) { return s->sessionKind != 2; }
// clang-format on

bool BeforeBind(const I3270Session* s)
{
    return (Agreed(kFnBindImage) && !s->bindReceived) || (s->sscpLuBySysReq && s->connectionMode == 2);
}

void Start3270(I3270Session* s)
{
    if (!s->bound) {
        s->bound = 1;
        I3270SetDataPhase(s, 3);
    }
}

// The largest screen the record can hold: the display rows share 44 lines with the
// status row, a row has 132 columns, and reads address cells with 12 bits.
bool FitsScreen(int rows, int columns)
{
    return rows >= 1 && rows <= 43 && columns >= 1 && columns <= 132 && rows * columns <= 4096;
}

u32 Bind(I3270Session* s, const u8* data, int length)
{
    if (!Agreed(kFnBindImage))
        return kErrBindNotAgreed;
    if (length < 26)
        return kErrBindTooShort;
    const u8 luType = data[14], code = data[24];
    const int rows = data[20], columns = data[21], altRows = data[22], altColumns = data[23];
    switch (luType) {
    case 0x02:
        if (IsPrinter(s))
            return kErrBindLuType;
        // clang-format off
        switch (code) {
        case 0x00: case 0x02:
            I3270SetGeometry(s, 24, 80, 1920, 24, 80, 1920);
            break;
        case 0x03:
            I3270SetModel(s);
            break;
        case 0x7E:
            if (!FitsScreen(rows, columns))
                return kErrBindScreenSize;
            I3270SetGeometry(s, rows, columns, rows * columns, rows, columns, rows * columns);
            break;
        case 0x7F:
            if (!FitsScreen(rows, columns) || !FitsScreen(altRows, altColumns))
                return kErrBindScreenSize;
            I3270SetGeometry(s, rows, columns, rows * columns, altRows, altColumns,
                             altRows * altColumns);
            break;
        default:
            return kErrBindScreenSize;
        }
        // clang-format on
        break;
    case 0x01:
        if (!IsPrinter(s) || !Agreed(kFnScsCtlCodes))
            return kErrBindLuType;
        I3270EndPrintJob(s);
        s->sessionKind = 1;
        if (code != 0x00)
            return kErrBindScreenSize;
        I3270SetModel(s);
        break;
    case 0x03:
        if (!IsPrinter(s) || !Agreed(kFnDataStreamCtl))
            return kErrBindLuType;
        I3270EndPrintJob(s);
        // clang-format off
        switch (code) {
        case 0x00: I3270SetModel(s); break;
        case 0x01: I3270SetGeometry(s, 12, 40, 480, 12, 40, 480); break;
        case 0x02: I3270SetGeometry(s, 24, 80, 1920, 24, 80, 1920); break;
        case 0x7E: case 0x7F:
            if (!FitsScreen(rows, columns) || (code == 0x7F && !FitsScreen(altRows, altColumns)))
                return kErrBindScreenSize;
            if (code == 0x7E)
                I3270SetGeometry(s, rows, columns, rows * columns, rows, columns, rows * columns);
            else
                I3270SetGeometry(s, rows, columns, rows * columns, altRows, altColumns,
                                 altRows * altColumns);
            break;
        default:
            return kErrBindScreenSize;
        }
        // clang-format on
        s->sessionKind = 3;
        break;
    default: return kErrBindLuType;
    }
    s->alternateInUse = 1;
    I3270EraseScreen(s, false);
    s->bindReceived = 1;
    if (s->connectionMode != 3) {
        s->bound = 1;
        I3270SetDataPhase(s, 3);
    }
    return 0;
}

void Unbind(I3270Session* s)
{
    if (IsPrinter(s)) {
        s->sessionKind = 0;
        I3270EndPrintJob(s);
    }
    I3270SetModel(s);
    s->alternateInUse = 1;
    I3270EraseScreen(s, false);
    s->bindReceived = 0;
    if (s->bound) {
        s->bound = 0;
        I3270SetDataPhase(s, 1);
    }
}

u32 Dispatch(I3270Session* s, const u8* data, int length)
{
    if (length <= 0)
        return 0;
    // clang-format off
    switch (s->connectionMode) {
    case 0: case 1:
        if (s->insertMode)
            I3270SetInsertMode(s, 0);
        I3270UnlockKeyboard(s);
        for (int i = 0; i < length; ++i)
            I3270NvtHostCharacter(s, data[i]);
        return 0;
    case 2:
        if (s->insertMode)
            I3270SetInsertMode(s, 0);
        I3270UnlockKeyboard(s);
        for (int i = 0; i < length; ++i) {
            if (data[i] == 0x15) {
                const i32 row = s->cursor / s->current.columns;
                for (int n = 0; n < s->current.columns && s->cursor / s->current.columns == row; ++n)
                    if (!I3270EnterCharacter(s, 0, 0, 0))
                        break;
            } else {
                I3270EnterCharacter(s, data[i], 0, 0);
            }
        }
        s->bufferAddress = s->cursor;
        return 0;
    default: {
        u32 error = 0;
        if (s->sessionKind == 1)
            error = I3270ScsRecord(s, data, length);
        else if (s->sessionKind == 2)
            error = I3270ExecuteCommand(s, data + 1, length - 1, data[0]);
        else if (s->sessionKind == 3)
            error = I3270ExecutePrinterCommand(s, data + 1, length - 1, data[0]);
        s->bufferAddress = 0;
        return error;
    }
    }
    // clang-format on
}

// Printer data: the job of its kind open, else the printer needs the operator.
u32 BeginPrintData(I3270Session* s, int kind)
{
    return I3270BeginPrintData(s, kind) ? 0 : static_cast<u32>(kErrNoPrinter);
}

bool OperationCheck(u32 error)
{
    // clang-format off
    switch (error) {
    case 728: case 751: case 752: case 754: case 759: case 761: case 762: case 765: case 766:
    case 768: case 773: case 791: case 792: case 793: case 794:
        return true;
    default:
        return false;
    }
    // clang-format on
}
}  // namespace

u8 I3270ResponseReason(u32 error)
{
    if (error == kErrNoPrinter)
        return 0x01;  // intervention required
    return OperationCheck(error) ? 0x02 : 0x00;
}

void I3270SetDataPhase(I3270Session* s, u32 phase)
{
    if (s->connectionMode == phase)
        return;
    s->connectionMode = phase;
    s->sessionState = static_cast<u8>(phase == 0 ? 1 : phase);
    I3270ShowSessionState(s);
    Tn3270UpdateTelnetModes();
}

bool I3270InDataPhase(const I3270Session* s)
{
    if (!TelnetTn3270eEnabled())
        return s->recordMode != 0;
    return s->connectionMode == 2 || s->bound;
}

u16 I3270NextSequenceNumber()
{
    if (!Agreed(kFnResponses))
        return 0;
    const u16 n = Telnet.sequenceOut;
    Telnet.sequenceOut = n >= 32767 ? 0 : static_cast<u16>(n + 1);
    return n;
}

namespace {
void SendRecord(I3270Session* s, u8 type, u16 sequence)
{
    TelnetSendTn3270eRecord(SocketIndex, type, 0, 0, sequence, s->output.data(), s->outputLength);
}
}  // namespace

void I3270SendOutput(I3270Session* s)
{
    if (TelnetTn3270eComplete() && s->connectionMode == 2)
        SendRecord(s, kSscpLuData, I3270NextSequenceNumber());
    else if (TelnetTn3270eComplete() && s->bound)
        SendRecord(s, k3270Data, I3270NextSequenceNumber());
    else
        TelnetSendData(SocketIndex, s->output.data(), s->outputLength, s->recordMode != 0);
}

void I3270SendSscpLuData(I3270Session* s)
{
    SendRecord(s, kSscpLuData, I3270NextSequenceNumber());
    I3270ClearOutput(s);
}

void I3270SendNvtData(I3270Session* s)
{
    SendRecord(s, kNvtData, 0);
    I3270ClearOutput(s);
}

void I3270FlushOutput(I3270Session* s)
{
    if (s->outputLength > 0) {
        if (Telnet.telnetMode)
            I3270SendOutput(s);
        else
            NetworkSendBlock(SocketIndex, s->output.data(), s->outputLength);
    }
    I3270ClearOutput(s);
}

u32 I3270HandleRecord(I3270Session* s, const u8* record, int length)
{
    u32 error = 0;
    bool answer = false, refusedBind = false;
    u8 responseFlag = 0;
    u16 sequence = 0;
    u8 status = 2, sense = 0;
    const bool printer = IsPrinter(s);
    if (printer)
        I3270StopJobCountdown(s);
    if (!TelnetTn3270eEnabled()) {
        const u8* data = record;
        int n = length;
        if (printer) {
            if (s->connectionMode != 3)
                I3270SetDataPhase(s, 3);
            const bool scs = n > 0 && data[0] == 0;
            if (scs) {
                ++data;
                --n;
            }
            error = BeginPrintData(s, scs ? 1 : 3);
        }
        if (!error)
            error = Dispatch(s, data, n);
    } else if (TelnetTn3270eComplete() && length >= 5) {
        const u8 type = record[0];
        if (Agreed(kFnResponses)) {
            responseFlag = record[2];
            sequence = static_cast<u16>(record[3] << 8 | record[4]);
        }
        // The host's own RESPONSE and REQUEST records are never answered.
        answer = type != kResponse && type != kRequest;
        const u8* data = record + 5;
        const int n = length - 5;
        bool dispatch = false;
        switch (type) {
        case k3270Data:
            if (BeforeBind(s)) {
                error = kErrBeforeBind;
                break;
            }
            Start3270(s);
            if (printer && !Agreed(kFnDataStreamCtl)) {
                error = kErrDataTypeNotAllowed;
                break;
            }
            I3270SetDataPhase(s, 3);
            if (printer)
                error = BeginPrintData(s, 3);
            dispatch = true;
            break;
        case kScsData:
            if (BeforeBind(s)) {
                error = kErrBeforeBind;
                break;
            }
            Start3270(s);
            if (!printer || !Agreed(kFnScsCtlCodes)) {
                error = kErrDataTypeNotAllowed;
                break;
            }
            I3270SetDataPhase(s, 3);
            error = BeginPrintData(s, 1);
            if (!error)
                error = I3270ScsRecord(s, data, n);
            s->bufferAddress = 0;
            break;
        case kResponse: break;
        case kBindImage:
            error = Bind(s, data, n);
            refusedBind = error != 0 && error != kErrBindNotAgreed;
            break;
        case kUnbind:
            if (!Agreed(kFnBindImage))
                error = kErrBindNotAgreed;
            else
                Unbind(s);
            break;
        case kNvtData:
            if (s->connectionMode != 1)
                I3270SetDataPhase(s, 1);
            dispatch = true;
            break;
        case kRequest:
            if (!Agreed(kFnResponses))
                error = kErrDataTypeNotAllowed;
            break;
        case kSscpLuData:
            if (printer || (!Agreed(kFnSysReq) && !Agreed(kFnBindImage))) {
                error = kErrDataTypeNotAllowed;
                break;
            }
            if (s->connectionMode != 2) {
                s->bound = 1;
                I3270SetDataPhase(s, 2);
            }
            dispatch = true;
            break;
        case kPrintEoj:
            if (BeforeBind(s)) {
                error = kErrBeforeBind;
                break;
            }
            Start3270(s);
            if (!printer)
                error = kErrDataTypeNotAllowed;
            else
                I3270EndPrintJob(s);
            break;
        default: error = kErrDataTypeNotAllowed; break;
        }
        if (dispatch && !error)
            error = Dispatch(s, data, n);
    } else {
        // Data before the functions were agreed, or a record shorter than its header.
        if (printer)
            I3270ReloadJobCountdown(s);
        return 0;
    }
    if (printer)
        I3270ReloadJobCountdown(s);
    if (error) {
        s->lastError = error;
        s->programCheck = error;
        I3270ShowInhibit(s);
        status = 4;
        sense = error == kErrNoPrinter    ? 0x40
                : OperationCheck(error)   ? 0x01
                : error == kErrStartPrint ? 0x04
                                          : 0x20;
    }
    if (answer) {
        if (responseFlag == 2 || (responseFlag == 1 && error)) {
            const u16 reason = error ? I3270ResponseReason(error) : 0x00;
            TelnetSendTn3270eRecord(SocketIndex, kResponse, 0, error ? 1 : 0, sequence, &reason, 1);
        }
    } else if (printer && (s->sessionKind == 1 || s->sessionKind == 3)) {
        TelnetSendFixedRecord(SocketIndex, status, sense);
    }
    I3270FlushOutput(s);
    if (refusedBind)
        TelnetSendWont(SocketIndex, tn::TN3270E);
    return error;
}
