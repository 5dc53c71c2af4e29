#include "terminal/comms/telnet/devicename.h"

#include <algorithm>

#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/recordsession.h"

namespace {
constexpr int kMaxConversions = 6;

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The rotation index for this expansion: a 5250 session moves on to the next name while
// attempts this connection stay below the count (so a refused name is not retried
// forever); a 3270 session keeps the stored one.
u32 RotationIndex(u32 count)
{
    const bool s5250 = Tn5250ActiveSession != nullptr;
    u32 index = ReadDeviceNameCount(s5250);
    if (s5250) {
        const u32 attemptsBefore = Telnet.rotationAttempts;
        if (Telnet.rotationAttempts < 255)
            ++Telnet.rotationAttempts;
        if (attemptsBefore < count) {
            index = (index + 1) % count;
            WriteDeviceNameCount(true, index);
        }
    }
    return index % count;
}

// "%D<n>%" groups become the rotation index; every other "%" is left for later.
std::u16string Rotate(const std::u16string& in)
{
    std::u16string out;
    bool haveIndex = false;
    u32 index = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == u'%' && i + 1 < in.size() && (in[i + 1] == u'D' || in[i + 1] == u'd')) {
            std::size_t j = i + 2;
            u32 n = 0;
            while (j < in.size() && IsDigit(in[j]) && n < 100000)
                n = n * 10 + (in[j++] - u'0');
            if (j > i + 2 && j < in.size() && in[j] == u'%') {
                if (n == 0)
                    n = 1;
                if (!haveIndex) {
                    index = RotationIndex(n);
                    haveIndex = true;
                }
                const std::u16string digits = [&] {
                    std::u16string d;
                    u32 v = index % n;
                    do {
                        d.insert(d.begin(), static_cast<char16_t>(u'0' + v % 10));
                        v /= 10;
                    } while (v);
                    return d;
                }();
                out += digits;
                i = j;
                continue;
            }
            out += u"%D";
            ++i;
            continue;
        }
        out.push_back(in[i]);
    }
    return out;
}
}  // namespace

int ExpandDeviceName(char* out, const wchar16* pattern, int maximum, bool rotate)
{
    if (!out)
        return 0;
    maximum = std::clamp(maximum, 0, kDeviceNameCap);
    std::u16string in;
    for (const wchar16* p = pattern; p && *p; ++p)
        in.push_back(static_cast<char16_t>(*p));

    std::u16string text;
    const bool hasPercent = in.find(u'%') != std::u16string::npos;
    if (!hasPercent) {
        text = in;
    } else {
        if (rotate)
            in = Rotate(in);
        int conversions = 0;
        for (std::size_t i = 0; i < in.size(); ++i) {
            if (in[i] != u'%' || i + 1 >= in.size() || conversions >= kMaxConversions) {
                text.push_back(in[i]);
                continue;
            }
            std::size_t j = i + 1;
            if (in[j] == u'%') {
                text.push_back(u'%');
                i = j;
                continue;
            }
            // Flags, width and a precision ".N" that keeps the last N characters.
            while (j < in.size() &&
                   (in[j] == u'-' || in[j] == u'+' || in[j] == u' ' || in[j] == u'#' || in[j] == u'0'))
                ++j;
            while (j < in.size() && IsDigit(in[j]))
                ++j;
            int keepLast = -1;
            if (j < in.size() && in[j] == u'.') {
                ++j;
                keepLast = 0;
                while (j < in.size() && IsDigit(in[j]) && keepLast < 10000)
                    keepLast = keepLast * 10 + (in[j++] - u'0');
            }
            if (j >= in.size())
                break;
            ++conversions;
            std::u16string value;
            if (in[j] == u's')
                value = LocalHostName();
            else if (in[j] == u'u')
                value = WindowsUserName().substr(0, 49);
            if (keepLast >= 0 && value.size() > static_cast<std::size_t>(keepLast))
                value = value.substr(value.size() - static_cast<std::size_t>(keepLast));
            text += value;
            i = j;
        }
    }
    int n = 0;
    for (; n < maximum && n < static_cast<int>(text.size()); ++n) {
        char c = static_cast<char>(text[static_cast<std::size_t>(n)] & 0xFF);
        if (hasPercent && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        out[n] = c;
    }
    out[n] = 0;
    return n;
}

int ExpandDeviceNameRotating(char* out, const wchar16* pattern, int maximum)
{
    return ExpandDeviceName(out, pattern, maximum, true);
}
