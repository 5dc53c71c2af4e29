// Printer-controller data from the host, as it reaches a printer: the controller filter,
// the output character set and the line assembler (raw bytes or text lines on pages),
// with a printer that is not ready for a while.
//
// Checked besides the sanitizers: the assembler never holds more than its buffer, text
// lines fit 132 columns and the page; on the raw path every printed byte reaches the
// printer exactly once and in order (CR as CR LF under AutoLF, the LF after it dropped);
// without sequences in the data the filter prints every byte it keeps.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "fuzz/check.h"
#include "terminal/comms/printing/printcharset.h"
#include "terminal/comms/printing/printcontroller.h"
#include "terminal/comms/printing/printline.h"

namespace {

// clang-format off
constexpr u8 kGerman[] = {'@', 0xA7, '[', 0xC4, '\\', 0xD6, ']', 0xDC, '{', 0xE4, '|', 0xF6, '}', 0xFC, '~', 0xDF, 0};
// clang-format on

class Printer : public PrintLineOutput {
public:
    bool Ready() override { return notReady == 0 || (--notReady, false); }
    bool WaitForPrinter() override
    {
        VX_FUZZ_CHECK(++waits < 100000);
        return true;
    }
    void WriteRaw(const u16* units, int n) override
    {
        VX_FUZZ_CHECK(n > 0 && n <= kPrintLineUnits);
        for (int i = 0; i < n; ++i)
            raw.push_back(static_cast<u8>(units[i]));
    }
    int DrawLine(const u16*, int n, int line) override
    {
        VX_FUZZ_CHECK(n > 0 && n <= kPrintColumns);
        VX_FUZZ_CHECK(line >= 0 && line < linesPerPage);
        return n < columns ? n : columns;
    }
    bool NewPage() override { return true; }

    int notReady = 0, waits = 0, linesPerPage = 1, columns = 1;
    std::vector<u8> raw;
};

// Everything the filter printed, through the output set into the assembler.
class Feed : public ControllerOutput {
public:
    Feed(PrintLineAssembler& a, Printer& p, const PrintLineMode& m, u32 charset)
        : assembler(a), printer(p), mode(m), charset(charset)
    {}
    void PrintSequenceByte(u8 b) override { Print(b); }
    void PrintByte(u8 b) override { Print(b); }
    void Print(u16 c)
    {
        u8 bytes[3];
        const int n = TranslatePrintChar(charset, c, kGerman, bytes);
        VX_FUZZ_CHECK(n >= 1 && n <= 3);
        for (int i = 0; i < n; ++i) {
            printed.push_back(bytes[i]);
            assembler.PutChar(bytes[i], mode, printer);
            VX_FUZZ_CHECK(assembler.Pending() <= kPrintLineUnits);
        }
    }

    PrintLineAssembler& assembler;
    Printer& printer;
    const PrintLineMode& mode;
    u32 charset;
    std::vector<u8> printed;
};

// What a raw printer gets for the printed bytes under AutoLF.
std::vector<u8> WithAutoLineFeed(const std::vector<u8>& in)
{
    std::vector<u8> out;
    bool afterCr = false;
    for (u8 b : in) {
        if (b == '\n' && afterCr) {
            afterCr = false;
            continue;
        }
        afterCr = b == '\r';
        out.push_back(b);
        if (b == '\r')
            out.push_back('\n');
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const u8 flags = in.ConsumeIntegral<u8>();
    ControllerOptions options;
    options.vt52 = flags & 1;
    options.csiIsCharacter = flags & 2;
    options.dropNulXonXoff = flags & 4;
    PrintLineMode mode;
    mode.raw = flags & 8;
    mode.controllerAutoLf = flags & 16;
    mode.autoWrap = flags & 32;
    const u32 charset = in.ConsumeIntegralInRange<u32>(0, kPrintCharsetCount - 1);
    Printer printer;
    printer.linesPerPage = in.ConsumeIntegralInRange<int>(1, 80);
    printer.columns = in.ConsumeIntegralInRange<int>(1, 160);
    printer.notReady = in.ConsumeIntegralInRange<int>(0, 20);
    const std::vector<u8> host = in.ConsumeRemainingBytes<u8>();

    PrintLineAssembler assembler;
    assembler.Start(printer.linesPerPage);
    Feed feed(assembler, printer, mode, charset);
    ControllerSequence sequence;
    bool sequences = false;
    for (u8 b : host) {
        sequences |= b == 27 || (b == 155 && !options.csiIsCharacter);
        // The mode ends and starts again: the next bytes go to a new controller session.
        if (ControllerFilterByte(sequence, b, options, feed))
            sequence = ControllerSequence{};
    }
    while (!assembler.Flush(mode, printer)) {
    }
    VX_FUZZ_CHECK(assembler.Pending() == 0 || !mode.raw);

    if (!sequences && charset == kPrintLatin1) {
        std::vector<u8> kept;
        for (u8 b : host)
            if (!(options.dropNulXonXoff && (b == 0 || b == 17 || b == 19)))
                kept.push_back(b);
        VX_FUZZ_CHECK(feed.printed == kept);
    }
    if (mode.raw)
        VX_FUZZ_CHECK(printer.raw == (mode.controllerAutoLf ? WithAutoLineFeed(feed.printed) : feed.printed));
    return 0;
}
