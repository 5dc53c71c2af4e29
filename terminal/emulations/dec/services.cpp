// What the core uses of the DEC VT and ANSI console emulations: the sequence byte reader,
// C1 controls, the report sender, the soft font and the resets of the VT state.
#include "terminal/emulations/dec/services.h"

#include "terminal/comms/serial/serial.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/pages/rectangles.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/reports/reportbuffer.h"
#include "terminal/emulations/dec/controls/softfont.h"
#include "terminal/emulations/dec/vtmodes.h"

TransmitRingState TransmitRing{};
std::atomic<u8> AnsiConsoleMode{0};
std::atomic<i8> AixtermMode{0};
wchar16 AnswerbackText[33] = {};

namespace {

// An 8-bit C1 control stands for ESC and this byte; the walker takes it first.
int g_primedSequenceByte = -1;

}  // namespace

bool DecEngineRuns()
{
    return FamilyRuns(kEmuVt100) && !AnsiConsoleMode && AixtermMode <= 0;
}

void ResetVtModes()
{
    VtMode = VtModeFlagSet{};
    ResetDecModes();
    ResetTabStops();
    ClearTabCommandFlags();
    Rendition.boldDim = 0;
    ResetAttributeChangeExtent();
    ResetLocalEdit();
}

int NextSequenceByte()
{
    if (g_primedSequenceByte >= 0) {
        const int b = g_primedSequenceByte;
        g_primedSequenceByte = -1;
        return b;
    }
    for (;;) {
        int v = HostReadSequenceByte();
        // Every out-of-band result (stopping, held, hand-over) ends the sequence; none of
        // them may be masked into a data byte.
        if (v < 0) {
            InSequence = 0;
            return 0;
        }
        v &= 0x7F;
        if (v >= 32)
            return v;
        VtControlChar(v);
        if (!InSequence)
            return 0;
    }
}

void ProcessC1Control(u8 byte)
{
    // Only these C1 controls have a meaning here (IND NEL HTS RI SS2 SS3 DCS SOS DECID
    // CSI ST OSC PM APC); the others are dropped rather than read as ESC sequences with
    // effects of their own.
    static constexpr char kAccepted[] = "DEHMNOPXZ[\\]^_";
    if (byte < 0x80 || byte > 0x9F)
        return;
    bool accepted = false;
    for (const char* f = kAccepted; *f; ++f)
        accepted |= *f == byte - 0x40;
    if (!accepted)
        return;
    g_primedSequenceByte = byte - 0x40;
    VtEnterEscape(0x1B);
    g_primedSequenceByte = -1;
}

void SendReport(const wchar16* text)
{
    if (!text || !text[0])
        return;
    // A report is an answer, not typed input: it goes to the host even while local
    // editing holds typed text back.
    const u8 editMode = VtLocalEditFlag;
    VtLocalEditFlag = 0;
    u16 units[kReportBufferUnits];
    while (*text) {
        int n = 0;
        for (; text[n] && n < kReportBufferUnits; ++n)
            units[n] = static_cast<u16>(text[n]);
        if (TransmitPacing())
            for (int i = 0; i < n; ++i)
                HostSendChar(units[i]);
        else
            HostSendString(units, n);
        text += n;
    }
    VtLocalEditFlag = editMode;
}

bool BufferedTransmitPending()
{
    return TransmitRing.bytes && TransmitRing.pending > 0;
}

int SendNextBufferedByte()
{
    TransmitRingState& r = TransmitRing;
    if (!BufferedTransmitPending())
        return -1;
    if (r.readIndex < 0 || r.readIndex >= kTransmitRingBytes)
        r.readIndex = 0;
    HostSendChar(r.bytes[r.readIndex]);
    ++r.readIndex;
    --r.pending;
    if (r.pending <= 0 || r.readIndex >= kTransmitRingBytes)
        r.readIndex = 0;
    if (r.pending < 0)
        r.pending = 0;
    return -1;
}

bool AllocVtBuffers()
{
    if (!TransmitRing.bytes) {
        TransmitRing.bytes = static_cast<u8*>(MemAllocBlock(kTransmitRingBytes));
        TransmitRing.readIndex = TransmitRing.pending = 0;
        // The soft font starts with the default glyphs once, with the terminal.
        ResetSoftFont();
    }
    return TransmitRing.bytes != nullptr;
}

int Vt420ViewMode()
{
    return 0;
}

const SoftFontGlyphs* CurrentSoftFont()
{
    static SoftFontGlyphs glyphs;
    glyphs.rows = &SoftFont.glyphs[0][0];
    glyphs.matrixWidth = SoftFontMatrixWidth();
    glyphs.matrixHeight = SoftFontMatrixHeight();
    return &glyphs;
}

// The ANSI console family is not built yet: it has no palettes or modes to save.
void SaveScoPalette() {}
void SaveAt386Palette() {}
void SaveAixHftMode() {}
void SaveAixtermPalette() {}

// The host asks for mouse reports through the VT mode sequences; none is set here.
MouseReportFlagSet MouseReportFlags{};
