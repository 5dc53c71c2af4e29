// The login-script page's list: the initiation entry first, then the steps in the order
// of their sequence numbers 1..n. Adding, removing and moving keep the numbers dense, so
// the steps hand back to the script in that order.
#pragma once

#include <vector>

#include "wizard/engine/settings.h"

enum class StepKind : u16 { Text = 0, Initiation = 1, Keyboard = 2 };

struct ScriptItem {
    WText actOn;  // the wait text, "<Initiation>", "<KL>" or "<KU>"
    WText send;   // the response
    StepKind kind = StepKind::Text;
    u16 sequence = 0;  // 0 for the initiation entry
};

// The texts the script keeps: a wait text 80 characters, a response 254.
constexpr std::size_t kWaitTextChars = 80, kResponseChars = 254;

class ScriptList {
public:
    // The list of a stored script.
    void Load(const LoginScript& script);
    // The script the list stands for.
    LoginScript Script() const;

    bool HasInitiation() const;
    // Adds an entry; its index in the list.
    int AddInitiation(const WText& send);
    int AddStep(StepKind kind, const WText& actOn, const WText& send);
    // Removes item `index`; the item removed (for the edits) and the index now selected
    // (-1 when the list is empty).
    ScriptItem Remove(int index, int& selected);
    void Clear();
    // Moves a step one place up (-1) or down (+1); the item's new index.
    int Move(int index, int direction);

    const std::vector<ScriptItem>& Items() const { return items_; }
    int StepCount() const { return static_cast<int>(items_.size()) - (HasInitiation() ? 1 : 0); }

private:
    void Sort();
    int IndexOf(StepKind kind, u16 sequence) const;
    std::vector<ScriptItem> items_;
    u16 counter_ = 0;
};

// The token a response takes from the token list (30215-30221 in that order), the key
// name filling the last one.
WText ResponseToken(int token, const WText& keyName);
// The macro key names the list offers for an emulation: the PC keys, then the
// emulation's own host keys.
std::vector<WText> KeyNamesFor(u32 emulation);
