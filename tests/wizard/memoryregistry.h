// The registry kept in memory with the rules the wizard relies on: key and value names
// compare without regard to case, writers create their key, a plain delete refuses a key
// with subkeys, and a missing key reads as absent values. Its export lists every key
// and value, so a test compares a whole root before and after.
#pragma once

#include <map>
#include <string>

#include "wizard/engine/registrystore.h"

class MemoryRegistry : public RegistryStore {
public:
    struct Value {
        WText name;
        bool dword = false;
        u32 number = 0;
        WText text;
    };
    struct Key {
        WText path;
        std::map<WText, Value> values;  // by folded name
    };

    bool KeyExists(RegRoot root, const WText& path) override;
    bool CreateKey(RegRoot root, const WText& path) override;
    bool SetString(RegRoot root, const WText& path, const WText& name, const WText& text) override;
    bool SetDword(RegRoot root, const WText& path, const WText& name, u32 value) override;
    bool ReadString(RegRoot root, const WText& path, const WText& name, WText& text) override;
    bool ReadDword(RegRoot root, const WText& path, const WText& name, u32& value) override;
    bool DeleteValue(RegRoot root, const WText& path, const WText& name) override;
    bool DeleteTree(RegRoot root, const WText& path) override;
    bool DeleteKey(RegRoot root, const WText& path) override;
    std::vector<WText> Subkeys(RegRoot root, const WText& path) override;
    std::vector<WText> ValueNames(RegRoot root, const WText& path) override;
    bool CopyTree(RegRoot root, const WText& from, const WText& to) override;

    // Every key and value of a root as lines "[path]" and "name=d:N" / "name=s:text",
    // in ASCII (other units as \uXXXX), sorted.
    std::string Export(RegRoot root) const;
    // The values of one key as "name=..." lines joined by "\n"; empty for a missing key.
    std::string Values(RegRoot root, const std::string& path) const;
    // Counts of the keys written or deleted: tests that nothing at all happened.
    int writes = 0;

private:
    std::map<WText, Key>& Root(RegRoot root) { return root == RegRoot::Machine ? machine_ : user_; }
    Key* Find(RegRoot root, const WText& path);
    Key& Make(RegRoot root, const WText& path);
    std::map<WText, Key> machine_, user_;
};

// ASCII helpers for tests.
WText W(const std::string& text);
std::string Narrow(const WText& text);
