#include "terminal/input/macros/keydefs.h"

#include <cstring>
#include <string>
#include <mutex>
#include <new>

#include "terminal/core/base/corestate.h"
#include "terminal/input/macros/keyevents.h"

KeyDefinition* KeyDefinitions = nullptr;

namespace {
// Recursive: a holder of KeyDefinitionsLock calls the functions here, which lock again.
std::recursive_mutex g_listLock;

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

// The count of nodes deleted.
template <typename Doomed>
int DeleteWhere(Doomed doomed)
{
    std::lock_guard<std::recursive_mutex> guard(g_listLock);
    int deleted = 0;
    KeyDefinition** link = &KeyDefinitions;
    while (*link) {
        KeyDefinition* node = *link;
        if (doomed(*node)) {
            *link = node->next;
            FreeNode(node);
            ++deleted;
        } else {
            link = &node->next;
        }
    }
    return deleted;
}
}  // namespace

bool IsNoFunctionText(const wchar16* text, u32 length)
{
    static constexpr char kNoFunction[] = "<VK_NOFUNCTION>";
    if (!text || length != sizeof kNoFunction - 1)
        return false;
    for (u32 i = 0; i < length; ++i)
        if (text[i] != static_cast<wchar16>(kNoFunction[i]))
            return false;
    return true;
}

std::u16string AsMacroString(const wchar16* text, u32 length)
{
    std::u16string macro;
    if (IsNoFunctionText(text, length)) {
        macro.assign(reinterpret_cast<const char16_t*>(text), length);
        return macro;
    }
    for (u32 i = 0; i < length; ++i) {
        const char16_t c = static_cast<char16_t>(text[i]);
        if (c == u'<' || c == u'(')
            macro.push_back(c);
        macro.push_back(c);
    }
    return macro;
}

KeyDefinitionsLock::KeyDefinitionsLock()
{
    g_listLock.lock();
}

KeyDefinitionsLock::~KeyDefinitionsLock()
{
    g_listLock.unlock();
}

KeyDefinition* FindKeyDefinition(u32 keyCode, u32 kind, i32 shiftState)
{
    std::lock_guard<std::recursive_mutex> guard(g_listLock);
    for (KeyDefinition* node = KeyDefinitions; node; node = node->next)
        if (node->keyCode == keyCode && node->Kind() == kind &&
            (shiftState < 0 || node->ShiftState() == static_cast<u32>(shiftState)))
            return node;
    return nullptr;
}

bool AddKeyDefinition(u32 keyCode, u32 sendType, u32 kind, u32 shiftState, u32 length, const wchar16* text,
                      const wchar16* label, TextOrigin origin)
{
    if (length == 0 && kind != kSoftButton)
        return false;
    KeyDefinition* node = new (std::nothrow) KeyDefinition{};
    if (!node)
        return false;
    node->flags = (sendType & 3) | (kind & 7) << 2 | (shiftState & 7) << 5;
    node->keyCode = keyCode;
    node->length = length;
    node->origin = origin;
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
    std::lock_guard<std::recursive_mutex> guard(g_listLock);
    KeyDefinition** link = &KeyDefinitions;
    while (*link)
        link = &(*link)->next;
    *link = node;
    return true;
}

bool ReplaceKeyDefinition(u32 keyCode, u32 sendType, u32 kind, u32 shiftState, u32 length, const wchar16* text,
                          const wchar16* label, TextOrigin origin)
{
    std::lock_guard<std::recursive_mutex> guard(g_listLock);
    if (KeyDefinition* old = FindKeyDefinition(keyCode, kind, static_cast<i32>(shiftState & 7)))
        DeleteKeyDefinition(old);
    return AddKeyDefinition(keyCode, sendType, kind, shiftState, length, text, label, origin);
}

int DeleteKeyDefinition(KeyDefinition* doomed)
{
    return DeleteWhere([doomed](const KeyDefinition& node) { return &node == doomed; }) > 0 ? 1 : 0;
}

void DeleteKeyDefinitions(i32 kind)
{
    DeleteWhere([kind](const KeyDefinition& node) { return kind < 0 || node.Kind() == static_cast<u32>(kind); });
}

void ResetKeyDefinitionList()
{
    std::lock_guard<std::recursive_mutex> guard(g_listLock);
    KeyDefinitions = nullptr;
}

void DeleteKeyMacros()
{
    DeleteKeyDefinitions(kKeyMacro);
}

void DeleteSoftButtonDefinitions()
{
    DeleteKeyDefinitions(kSoftButton);
}

void DeleteAllKeyDefinitions()
{
    DeleteKeyDefinitions(-1);
}

u32 CopyKeyDefinitionText(const KeyDefinition* definition, int& eventType)
{
    eventType = 0;
    std::lock_guard<std::recursive_mutex> guard(g_listLock);
    if (!definition || ModalOpen || definition->length == 0 ||
        IsNoFunctionText(definition->text, definition->length))
        return 0;
    const u32 handle = StoreEventText(definition->text, static_cast<int>(definition->length), definition->origin);
    if (!handle)
        return 0;
    const u32 sendType = definition->SendType();
    const int base = definition->origin == TextOrigin::Host ? 7 : 4;
    eventType = base + (sendType == 2 ? 1 : sendType == 1 ? 2 : 0);
    return handle;
}

namespace {
bool Deliver(const KeyDefinition* d, bool front)
{
    if (!d)
        return false;
    int type = 0;
    if (const u32 handle = CopyKeyDefinitionText(d, type))
        front ? PushInputEventFront(type, HandleHigh(handle), HandleLow(handle))
              : QueueInputEvent(type, HandleHigh(handle), HandleLow(handle));
    return true;
}

bool DeliverKeyDefinition(u32 keyCode, u32 shiftState, bool front)
{
    // The node is found and its text copied under one hold of the lock.
    std::lock_guard<std::recursive_mutex> guard(g_listLock);
    return Deliver(FindKeyDefinition(keyCode, kKeyMacro, static_cast<i32>(shiftState)), front);
}
}  // namespace

bool QueueKeyDefinition(const KeyDefinition* definition)
{
    return Deliver(definition, false);
}

bool QueueKeyDefinition(u32 keyCode, u32 shiftState)
{
    return DeliverKeyDefinition(keyCode, shiftState, false);
}

bool PushKeyDefinitionFront(u32 keyCode, u32 shiftState)
{
    return DeliverKeyDefinition(keyCode, shiftState, true);
}
