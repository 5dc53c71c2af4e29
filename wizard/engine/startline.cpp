#include "wizard/engine/startline.h"

namespace {

struct Switch {
    const char* text;
    u32 bit;
};

// clang-format off
const Switch kBarSwitches[] = {
    {"-MZ", kStartMaximise}, {"-BL0", kStartSoftButtons}, {"-TB", kStartTitleBar}, {"-L", kStartToolBar},
};
const Switch kMenuSwitches[] = {
    {"-MD", kStartEditMenu}, {"-MF", kStartFileMenu}, {"-MS", kStartSettingsMenu}, {"-MT", kStartCloseButton},
};
const Switch kTailSwitches[] = {
    {"-V", kStartStatusBar}, {"-J", kStartNoWarning}, {"-CA", kStartClipboard},
};
// clang-format on

void Append(WText& line, const char* text)
{
    line += Widen(text);
    line += ' ';
}

bool IsBlank(wchar16 c)
{
    return c == ' ' || c == '\t';
}

bool HasWord(const std::vector<WText>& words, const char* text)
{
    const WText wanted = Widen(text);
    for (const WText& word : words)
        if (SameTextIgnoringCase(word, wanted))
            return true;
    return false;
}

// The number after `prefix` in a word that is exactly the prefix and a number.
bool NumberAfter(const std::vector<WText>& words, const char* prefix, i32& value)
{
    const WText head = Widen(prefix);
    for (const WText& word : words) {
        if (word.size() <= head.size() || !SameTextIgnoringCase(word.substr(0, head.size()), head))
            continue;
        i32 n = 0;
        std::size_t end = head.size();
        if (!ReadDecimal(word, end, n))
            continue;
        if (word[end] == '-' || word[end] == '+')
            ++end;
        while (end < word.size() && word[end] >= '0' && word[end] <= '9')
            ++end;
        if (end == word.size()) {
            value = n;
            return true;
        }
    }
    return false;
}

}  // namespace

int OnCloseChoice(u32 options)
{
    const int field = static_cast<int>(options & kOnCloseMask);
    return field >= 4 ? field - 8 : field;
}

WText BuildStartCommandLine(u32 options, const WText& name)
{
    WText line;
    if (options & kStartFullScreen) {
        Append(line, "-F");
    } else {
        for (const Switch& s : kBarSwitches)
            if (options & s.bit)
                Append(line, s.text);
        if (options & kStartAllMenus) {
            Append(line, "-MB");
        } else {
            for (const Switch& s : kMenuSwitches)
                if (options & s.bit)
                    Append(line, s.text);
        }
    }
    if ((options & kOnCloseMask) != kOnCloseNotGiven) {
        line += Widen("-E") + DecimalText(OnCloseChoice(options));
        line += ' ';
    }
    for (const Switch& s : kTailSwitches)
        if (options & s.bit)
            Append(line, s.text);
    const u32 cursor = (options & kMouseCursorMask) >> kMouseCursorShift;
    if (cursor != 1) {
        line += Widen("-MC") + DecimalText(cursor);
        line += ' ';
    }
    // The terminal opens a quoted word only at a word's start, so the quotes go round
    // the whole switch.
    if (name.find_first_of(VXT(" \t")) != WText::npos)
        line += Widen("\"-W") + name + Widen("\"");
    else
        line += Widen("-W") + name;
    return line;
}

std::vector<WText> SplitTerminalWords(const WText& line)
{
    std::vector<WText> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        WText word;
        if (line[i] == '"' || line[i] == '\'') {
            const wchar16 quote = line[i++];
            while (i < line.size() && line[i] != quote)
                word.push_back(line[i++]);
            if (i < line.size())
                ++i;
        } else {
            while (i < line.size() && !IsBlank(line[i]))
                word.push_back(line[i++]);
        }
        words.push_back(word);
    }
    return words;
}

u32 ParseStartOptions(const WText& line)
{
    std::vector<WText> words;
    // The -W word carries the connection name, whatever it holds.
    for (WText& word : SplitTerminalWords(line))
        if (!(word.size() >= 2 && word[0] == '-' && FoldCase(word[1]) == 'W'))
            words.push_back(std::move(word));
    u32 options = kDefaultStartOptions;
    if (HasWord(words, "-F")) {
        options |= kStartFullScreen;
    } else {
        for (const Switch& s : kBarSwitches)
            if (HasWord(words, s.text))
                options |= s.bit;
        if (HasWord(words, "-MB")) {
            options |= kStartAllMenus;
        } else {
            for (const Switch& s : kMenuSwitches)
                if (HasWord(words, s.text))
                    options |= s.bit;
        }
    }
    i32 n = 0;
    // The terminal reads a bare -E as -E0.
    if (NumberAfter(words, "-E", n))
        options = (options & ~kOnCloseMask) | (static_cast<u32>(n) & kOnCloseMask);
    else if (HasWord(words, "-E"))
        options &= ~kOnCloseMask;
    for (const Switch& s : kTailSwitches)
        if (HasWord(words, s.text))
            options |= s.bit;
    if (NumberAfter(words, "-MC", n))
        options = (options & ~kMouseCursorMask) | ((static_cast<u32>(n) & 0xF) << kMouseCursorShift);
    return options;
}
