// The login script's engine: the responses it types (escapes and tokens), the
// conditions it waits for, and the sliding match of the host's text against the text
// it waits for.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "terminal/core/base/vxtypes.h"

// One step of typing a response.
enum class LoginActionKind : u8 {
    Text,      // typed as it is
    UserName,  // <UN>: asks for a user name and types it
    Password,  // <PW>: asks for a password (hidden) and types it
    Pause,     // <P> 250 ms, <D> 2000 ms: received text is not matched meanwhile
    Key,       // a key or key combination by name
};
struct LoginAction {
    LoginActionKind kind;
    std::u16string text;
    u32 pauseMs = 0;
    int key = -1, shift = -1;  // shift -1: none
};
// Text runs are handed to the typing at most this many units at a time.
constexpr std::size_t kLoginTextChunk = 132;

// The response as the steps that type it: "^M" is CR, "\^" a caret, "_027" ESC, "<<" and
// ">>" the brackets, "<CR>" and "<LF>" line ends; other tokens in brackets stand alone.
std::vector<LoginAction> ParseLoginResponse(const std::u16string& response);

// "<KL>" 0 (wait for the keyboard to lock), "<KU>" 1 (to unlock); -1 for anything else.
int ParseLoginCondition(const std::u16string& condition);

// The host's text since the last match, matched against the awaited text.
class LoginMatcher {
public:
    void Append(wchar16 c);
    void Clear();
    // The awaited text (empty: none). Text received before stays and may match it.
    void Await(const std::u16string& text);
    bool Awaiting() const;
    // Slides along the received text: on a match the text up to its end is dropped and
    // true returned; text after it stays for the next wait. Without a match only what
    // could still begin one is kept.
    bool TestMatch();
    std::size_t Held() const;

private:
    mutable std::mutex lock_;
    std::u16string received_;
    std::u16string awaited_;
};
// Received text held while nothing matches stops growing here (oldest dropped).
constexpr std::size_t kLoginMatchHeldMax = 64 * 1024;
