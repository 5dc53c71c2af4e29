#include "wizard/engine/scriptlist.h"

#include <algorithm>
#include <string_view>

namespace {

const char* const kTokens[6] = {"<UN>", "<PW>", "<P>", "<D>", "<CR>", "<LF>"};

struct KeyName {
    const char* name;
};
// The terminal's macro key names, the one table its engine and resources read.
#define VX_KEY_NAME(id, name, number, shift) {name},
#define VX_VIRTUAL_KEY_NAME(virtualKey, id)
const KeyName kKeyNames[] = {
#include "terminal/input/macros/keynames.def"
};
#undef VX_KEY_NAME
#undef VX_VIRTUAL_KEY_NAME

// The prefixes of an emulation's own host keys; the Wyse family's are the terminal's Wyse
// and TeleVideo names.
std::vector<std::string_view> HostKeyPrefixes(u32 emulation)
{
    if (emulation <= 5 || emulation == 16 || emulation == 21 || emulation == 23)
        return {"VT_"};
    switch (emulation) {
    case 6: return {"IB_"};
    case 7: return {"AS_"};
    case 17: return {"TA_"};
    case 18: return {"HP_"};
    case 20: return {"DG_"};
    default: break;
    }
    if (emulation >= 8 && emulation <= 15)
        return {"WY_", "TV_"};
    return {};
}

}  // namespace

void ScriptList::Load(const LoginScript& script)
{
    items_.clear();
    counter_ = 0;
    if (!script.initiate.empty())
        items_.push_back({Widen("<Initiation>"), script.initiate, StepKind::Initiation, 0});
    for (const LoginStep& step : script.steps)
        items_.push_back({step.wait, step.response,
                          step.kind == kLoginStepCondition ? StepKind::Keyboard : StepKind::Text, ++counter_});
    Sort();
}

LoginScript ScriptList::Script() const
{
    LoginScript script;
    for (const ScriptItem& item : items_) {
        if (item.kind == StepKind::Initiation) {
            script.initiate = item.send.substr(0, kResponseChars);
            continue;
        }
        script.steps.push_back({item.actOn.substr(0, kWaitTextChars), item.send.substr(0, kResponseChars),
                                item.kind == StepKind::Keyboard ? kLoginStepCondition : 0});
    }
    return script;
}

bool ScriptList::HasInitiation() const
{
    return IndexOf(StepKind::Initiation, 0) >= 0;
}

int ScriptList::IndexOf(StepKind kind, u16 sequence) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if ((kind == StepKind::Initiation) == (items_[i].kind == StepKind::Initiation) &&
            (kind == StepKind::Initiation || items_[i].sequence == sequence))
            return static_cast<int>(i);
    return -1;
}

void ScriptList::Sort()
{
    std::stable_sort(items_.begin(), items_.end(), [](const ScriptItem& a, const ScriptItem& b) {
        const bool ai = a.kind == StepKind::Initiation, bi = b.kind == StepKind::Initiation;
        if (ai != bi)
            return ai;
        return a.sequence < b.sequence;
    });
}

int ScriptList::AddInitiation(const WText& send)
{
    if (HasInitiation())
        return IndexOf(StepKind::Initiation, 0);
    items_.push_back({Widen("<Initiation>"), send, StepKind::Initiation, 0});
    Sort();
    return 0;
}

int ScriptList::AddStep(StepKind kind, const WText& actOn, const WText& send)
{
    const u16 sequence = ++counter_;
    items_.push_back({actOn, send, kind == StepKind::Keyboard ? StepKind::Keyboard : StepKind::Text, sequence});
    Sort();
    return IndexOf(StepKind::Text, sequence);
}

ScriptItem ScriptList::Remove(int index, int& selected)
{
    selected = -1;
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return ScriptItem{};
    const ScriptItem removed = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    if (removed.kind != StepKind::Initiation)
        for (ScriptItem& item : items_)
            if (item.kind != StepKind::Initiation && item.sequence > removed.sequence)
                --item.sequence;
    counter_ = static_cast<u16>(StepCount());
    Sort();
    if (!items_.empty())
        selected = removed.kind == StepKind::Initiation ? static_cast<int>(items_.size()) - 1
                                                        : std::min(index, static_cast<int>(items_.size()) - 1);
    return removed;
}

void ScriptList::Clear()
{
    items_.clear();
    counter_ = 0;
}

int ScriptList::Move(int index, int direction)
{
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return index;
    ScriptItem& item = items_[static_cast<std::size_t>(index)];
    if (item.kind == StepKind::Initiation)
        return index;
    const int neighbourSequence = item.sequence + direction;
    const int other = neighbourSequence >= 1 ? IndexOf(StepKind::Text, static_cast<u16>(neighbourSequence)) : -1;
    if (other < 0)
        return index;
    const u16 mine = item.sequence;
    item.sequence = items_[static_cast<std::size_t>(other)].sequence;
    items_[static_cast<std::size_t>(other)].sequence = mine;
    const u16 moved = item.sequence;
    Sort();
    return IndexOf(StepKind::Text, moved);
}

WText ResponseToken(int token, const WText& keyName)
{
    if (token >= 0 && token < 6)
        return Widen(kTokens[token]);
    if (token == 6 && !keyName.empty())
        return Widen("<") + keyName + Widen(">");
    return WText();
}

std::vector<WText> KeyNamesFor(u32 emulation)
{
    std::vector<WText> names;
    const std::vector<std::string_view> own = HostKeyPrefixes(emulation);
    for (const KeyName& key : kKeyNames)
        if (std::string_view(key.name).substr(0, 3) == "VK_")
            names.push_back(Widen(key.name));
    for (const KeyName& key : kKeyNames)
        for (std::string_view prefix : own)
            if (std::string_view(key.name).substr(0, prefix.size()) == prefix)
                names.push_back(Widen(key.name));
    return names;
}
