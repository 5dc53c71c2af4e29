#include "terminal/input/keydefs.h"

#include <cstring>
#include <new>

KeyDefinition* KeyDefinitions = nullptr;

namespace {
wchar16* CopyUnits(const wchar16* source, std::size_t units)
{
    wchar16* copy = new (std::nothrow) wchar16[units ? units : 1];
    if (copy && units)
        std::memcpy(copy, source, units * sizeof(wchar16));
    return copy;
}

void FreeNode(KeyDefinition* node)
{
    delete[] node->text;
    delete[] node->label;
    delete node;
}

template <typename Doomed>
void DeleteWhere(Doomed doomed)
{
    KeyDefinition** link = &KeyDefinitions;
    while (*link) {
        KeyDefinition* node = *link;
        if (doomed(*node)) {
            *link = node->next;
            FreeNode(node);
        } else {
            link = &node->next;
        }
    }
}
}  // namespace

KeyDefinition* FindKeyDefinition(u32 keyCode, u32 kind, i32 shiftState)
{
    for (KeyDefinition* node = KeyDefinitions; node; node = node->next)
        if (node->keyCode == keyCode && node->Kind() == kind &&
            (shiftState < 0 || node->ShiftState() == static_cast<u32>(shiftState)))
            return node;
    return nullptr;
}

bool AddKeyDefinition(u32 keyCode, u32 sendType, u32 kind, u32 shiftState, u32 length, const wchar16* text,
                      const wchar16* label)
{
    KeyDefinition* node = new (std::nothrow) KeyDefinition{};
    if (!node)
        return false;
    node->flags = (sendType & 3) | (kind & 7) << 2 | (shiftState & 7) << 5;
    node->keyCode = keyCode;
    node->length = length;
    node->text = CopyUnits(text, length);
    if (label) {
        std::size_t n = 0;
        while (label[n])
            ++n;
        node->label = CopyUnits(label, n + 1);
    }
    if (!node->text || (label && !node->label)) {
        FreeNode(node);
        return false;
    }
    KeyDefinition** link = &KeyDefinitions;
    while (*link)
        link = &(*link)->next;
    *link = node;
    return true;
}

void DeleteKeyDefinition(KeyDefinition* doomed)
{
    DeleteWhere([doomed](const KeyDefinition& node) { return &node == doomed; });
}

void DeleteKeyMacros()
{
    DeleteWhere([](const KeyDefinition& node) { return node.Kind() == kKeyMacro; });
}

void DeleteSoftButtonDefinitions()
{
    DeleteWhere([](const KeyDefinition& node) { return node.Kind() == kSoftButton; });
}

void DeleteAllKeyDefinitions()
{
    DeleteWhere([](const KeyDefinition&) { return true; });
}
