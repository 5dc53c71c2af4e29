#include "terminal/comms/capture/loginmatch.h"

#include <algorithm>

#include "terminal/input/macros/keynames.h"

namespace {
bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char16_t Upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool SameName(const std::u16string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (Upper(a[i]) != static_cast<char16_t>(b[i]))
            return false;
    return i == a.size() && !b[i];
}

void Flush(std::vector<LoginAction>& out, std::u16string& text)
{
    for (std::size_t at = 0; at < text.size(); at += kLoginTextChunk)
        out.push_back({LoginActionKind::Text, text.substr(at, kLoginTextChunk)});
    text.clear();
}

// A token's action; false when the name is nothing known (nothing is typed for it).
bool TokenAction(const std::u16string& name, std::u16string& text, std::vector<LoginAction>& out)
{
    if (SameName(name, "CR")) {
        text += u'\r';
        return true;
    }
    if (SameName(name, "LF")) {
        text += u'\n';
        return true;
    }
    LoginAction action{LoginActionKind::Text, {}};
    if (SameName(name, "UN")) {
        action.kind = LoginActionKind::UserName;
    } else if (SameName(name, "PW")) {
        action.kind = LoginActionKind::Password;
    } else if (SameName(name, "P") || SameName(name, "D")) {
        action.kind = LoginActionKind::Pause;
        action.pauseMs = SameName(name, "P") ? 250 : 2000;
    } else {
        // Key names, parts joined by "+" or "-": each part ends with a NUL.
        std::u16string parts;
        int count = 0;
        bool open = false;
        for (char16_t c : name) {
            if (c == u'+' || c == u'-') {
                if (open)
                    parts += u'\0';
                open = false;
                continue;
            }
            if (c == u' ')
                continue;
            if (!open)
                ++count;
            open = true;
            parts += c;
        }
        parts += u'\0';
        int key = -1, shift = 0;
        if (count == 0 ||
            !ParseKeyNameCombination(reinterpret_cast<const wchar16*>(parts.c_str()), count, &key, &shift))
            return false;
        action.kind = LoginActionKind::Key;
        action.key = key;
        action.shift = shift;
    }
    Flush(out, text);
    out.push_back(std::move(action));
    return true;
}
}  // namespace

std::vector<LoginAction> ParseLoginResponse(const std::u16string& s)
{
    std::vector<LoginAction> out;
    std::u16string text;
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        const char16_t c = s[i];
        const bool more = i + 1 < n;
        if (c == u'^' && more) {
            const char16_t next = s[i + 1];
            if (next >= 64 && next <= 95)
                text += static_cast<char16_t>(next - 64);
            else
                text += {c, next};
            i += 2;
        } else if (c == u'\\' && more) {
            if (s[i + 1] == u'^')
                text += u'^';
            else
                text += {c, s[i + 1]};
            i += 2;
        } else if (c == u'_' && i + 3 < n && IsDigit(s[i + 1]) && IsDigit(s[i + 2]) && IsDigit(s[i + 3])) {
            const int value = (s[i + 1] - u'0') * 100 + (s[i + 2] - u'0') * 10 + (s[i + 3] - u'0');
            text += static_cast<char16_t>(value & 0xFF);
            i += 4;
        } else if (c == u'<' && more && s[i + 1] == u'<') {
            text += u'<';
            i += 2;
        } else if (c == u'>') {
            if (more && s[i + 1] == u'>') {
                text += u'>';
                i += 2;
            } else {
                ++i;  // a single ">" types nothing
            }
        } else if (c == u'<') {
            const std::size_t close = s.find(u'>', i + 1);
            if (close == std::u16string::npos) {
                text += c;
                ++i;
                continue;
            }
            // A name that is neither a token nor a key types nothing.
            TokenAction(s.substr(i + 1, close - i - 1), text, out);
            i = close + 1;
        } else {
            text += c;
            ++i;
        }
    }
    Flush(out, text);
    return out;
}

int ParseLoginCondition(const std::u16string& condition)
{
    if (condition.empty() || condition[0] != u'<')
        return -1;
    const std::size_t close = condition.find(u'>');
    const std::u16string name = condition.substr(1,
                                                 close == std::u16string::npos ? std::u16string::npos : close - 1);
    if (SameName(name, "KL"))
        return 0;
    if (SameName(name, "KU"))
        return 1;
    return -1;
}

void LoginMatcher::Append(wchar16 c)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (received_.size() >= kLoginMatchHeldMax)
        received_.erase(0, received_.size() - kLoginMatchHeldMax / 2);
    received_.push_back(static_cast<char16_t>(c));
}

void LoginMatcher::Clear()
{
    std::lock_guard<std::mutex> hold(lock_);
    received_.clear();
}

void LoginMatcher::Await(const std::u16string& text)
{
    std::lock_guard<std::mutex> hold(lock_);
    awaited_ = text;
}

bool LoginMatcher::Awaiting() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return !awaited_.empty();
}

bool LoginMatcher::TestMatch()
{
    std::lock_guard<std::mutex> hold(lock_);
    const std::size_t length = awaited_.size();
    if (length == 0 || received_.size() < length)
        return false;
    const std::size_t at = received_.find(awaited_);
    if (at != std::u16string::npos) {
        received_.erase(0, at + length);
        return true;
    }
    // Only the tail shorter than the awaited text could still begin a match.
    received_.erase(0, received_.size() - (length - 1));
    return false;
}

std::size_t LoginMatcher::Held() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return received_.size();
}
