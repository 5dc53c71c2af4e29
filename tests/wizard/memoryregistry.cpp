#include "wizard/memoryregistry.h"

#include <cstdio>

namespace {

WText Fold(const WText& text)
{
    WText out = text;
    for (wchar16& c : out)
        c = FoldCase(c);
    return out;
}

}  // namespace

WText W(const std::string& text)
{
    return Widen(text.c_str());
}

std::string Narrow(const WText& text)
{
    std::string out;
    for (wchar16 c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

MemoryRegistry::Key* MemoryRegistry::Find(RegRoot root, const WText& path)
{
    auto& keys = Root(root);
    const auto it = keys.find(Fold(path));
    return it == keys.end() ? nullptr : &it->second;
}

MemoryRegistry::Key& MemoryRegistry::Make(RegRoot root, const WText& path)
{
    if (Key* key = Find(root, path))
        return *key;
    // Every parent exists as a key of its own, as in the registry.
    for (std::size_t at = path.find('\\'); at != WText::npos; at = path.find('\\', at + 1))
        if (!Find(root, path.substr(0, at)))
            Root(root)[Fold(path.substr(0, at))].path = path.substr(0, at);
    Key& key = Root(root)[Fold(path)];
    if (key.path.empty())
        key.path = path;
    return key;
}

bool MemoryRegistry::KeyExists(RegRoot root, const WText& path)
{
    return Find(root, path) != nullptr;
}

bool MemoryRegistry::CreateKey(RegRoot root, const WText& path)
{
    if (path.empty())
        return false;
    ++writes;
    Make(root, path);
    return true;
}

bool MemoryRegistry::SetString(RegRoot root, const WText& path, const WText& name, const WText& text)
{
    ++writes;
    Value& v = Make(root, path).values[Fold(name)];
    v = Value{name, false, 0, text};
    return true;
}

bool MemoryRegistry::SetDword(RegRoot root, const WText& path, const WText& name, u32 value)
{
    ++writes;
    Value& v = Make(root, path).values[Fold(name)];
    v = Value{name, true, value, WText()};
    return true;
}

bool MemoryRegistry::ReadString(RegRoot root, const WText& path, const WText& name, WText& text)
{
    Key* key = Find(root, path);
    if (!key)
        return false;
    const auto it = key->values.find(Fold(name));
    if (it == key->values.end() || it->second.dword)
        return false;
    text = it->second.text;
    return true;
}

bool MemoryRegistry::ReadDword(RegRoot root, const WText& path, const WText& name, u32& value)
{
    Key* key = Find(root, path);
    if (!key)
        return false;
    const auto it = key->values.find(Fold(name));
    if (it == key->values.end() || !it->second.dword)
        return false;
    value = it->second.number;
    return true;
}

bool MemoryRegistry::DeleteValue(RegRoot root, const WText& path, const WText& name)
{
    Key* key = Find(root, path);
    if (!key || !key->values.erase(Fold(name)))
        return false;
    ++writes;
    return true;
}

bool MemoryRegistry::DeleteTree(RegRoot root, const WText& path)
{
    if (path.empty())
        return false;
    auto& keys = Root(root);
    const WText folded = Fold(path), prefix = folded + VXT("\\");
    bool any = false;
    for (auto it = keys.begin(); it != keys.end();) {
        if (it->first == folded || it->first.compare(0, prefix.size(), prefix) == 0) {
            it = keys.erase(it);
            any = true;
        } else {
            ++it;
        }
    }
    writes += any;
    return any;
}

bool MemoryRegistry::DeleteKey(RegRoot root, const WText& path)
{
    if (!Find(root, path) || !Subkeys(root, path).empty())
        return false;
    ++writes;
    Root(root).erase(Fold(path));
    return true;
}

std::vector<WText> MemoryRegistry::Subkeys(RegRoot root, const WText& path)
{
    std::vector<WText> names;
    const WText prefix = Fold(path) + VXT("\\");
    for (const auto& [folded, key] : Root(root))
        if (folded.compare(0, prefix.size(), prefix) == 0 && folded.find('\\', prefix.size()) == WText::npos)
            names.push_back(key.path.substr(prefix.size()));
    return names;
}

std::vector<WText> MemoryRegistry::ValueNames(RegRoot root, const WText& path)
{
    std::vector<WText> names;
    if (Key* key = Find(root, path))
        for (const auto& [folded, value] : key->values)
            names.push_back(value.name);
    return names;
}

bool MemoryRegistry::CopyTree(RegRoot root, const WText& from, const WText& to)
{
    Key* source = Find(root, from);
    if (!source)
        return false;
    const auto values = source->values;
    Key& target = Make(root, to);
    for (const auto& [folded, value] : values)
        target.values[folded] = value;
    for (const WText& sub : Subkeys(root, from))
        CopyTree(root, from + VXT("\\") + sub, to + VXT("\\") + sub);
    ++writes;
    return true;
}

std::string MemoryRegistry::Values(RegRoot root, const std::string& path) const
{
    const auto& keys = root == RegRoot::Machine ? machine_ : user_;
    const auto it = keys.find(Fold(W(path)));
    std::string out;
    if (it == keys.end())
        return out;
    for (const auto& [folded, v] : it->second.values) {
        if (!out.empty())
            out += "\n";
        out += Narrow(v.name) + "=" + (v.dword ? "d:" + std::to_string(v.number) : "s:" + Narrow(v.text));
    }
    return out;
}

std::string MemoryRegistry::Export(RegRoot root) const
{
    const auto& keys = root == RegRoot::Machine ? machine_ : user_;
    std::string out;
    for (const auto& [folded, key] : keys) {
        out += "[" + Narrow(key.path) + "]\n";
        const std::string values = Values(root, Narrow(key.path));
        if (!values.empty())
            out += values + "\n";
    }
    return out;
}
