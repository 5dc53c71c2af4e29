// The wizard's command line and the terminal start line it stores: any text is split
// and read without going out of bounds, a name from the command line is acted on only
// when it passes the checks, and the options read from a stored line survive being
// written again and read back. The same text as a keyboard layout's name and as a
// conversion file's name gives a row of the language table and a code page in range.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/check.h"
#include <algorithm>

#include "wizard/engine/commandline.h"
#include "wizard/engine/national.h"
#include "wizard/engine/startline.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    WText line;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        line.push_back(static_cast<wchar16>(data[i] | (data[i + 1] << 8)));

    const WizardCommand command = ParseWizardCommandLine(line);
    VX_FUZZ_CHECK(static_cast<u8>(command.mode) <= 3);
    if (command.nameProblem == NameProblem::None) {
        VX_FUZZ_CHECK(!command.name.empty() && command.name.size() <= kConnectionNameChars);
        VX_FUZZ_CHECK(command.name.find_first_of(VXT("\\/\"")) == WText::npos);
    }

    const u32 options = ParseStartOptions(line);
    const WText name = command.nameProblem == NameProblem::None ? command.name : WText(VXT("A"));
    const WText rebuilt = BuildStartCommandLine(options, name);
    VX_FUZZ_CHECK(ParseStartOptions(rebuilt) == options);
    const std::vector<WText> words = SplitTerminalWords(rebuilt);
    VX_FUZZ_CHECK(!words.empty() && words.back() == VXT("-W") + name);

    VX_FUZZ_CHECK(LanguageOfLayoutName(line.c_str()).row < kNationalLanguageCount);
    const i32 page = CodePageOfFileName(line);
    VX_FUZZ_CHECK(page >= -1 && page <= 0xFFFF);
    std::vector<u32> s2u, u2s;
    for (std::size_t i = 0; i < size; ++i)
        (i % 2 ? u2s : s2u).push_back(data[i] % 16);
    const std::vector<u32> both = CodePagesWithBothFiles(s2u, u2s);
    VX_FUZZ_CHECK(std::is_sorted(both.begin(), both.end()));
    for (u32 p : both)
        VX_FUZZ_CHECK(std::count(s2u.begin(), s2u.end(), p) && std::count(u2s.begin(), u2s.end(), p));
    return 0;
}
