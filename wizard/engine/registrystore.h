// The registry as the wizard's engines see it: keys named by their full path under one
// of two roots, typed values, and the few tree operations the profile code needs. The
// Windows build implements it over the registry API; the engine tests keep keys in
// memory with the same rules (names compared without case, a key with subkeys refuses a
// plain delete). Failures are silent: a missing key reads as absent values.
#pragma once

#include <vector>

#include "wizard/engine/wztext.h"

enum class RegRoot : u8 { Machine, User };

class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    virtual bool KeyExists(RegRoot root, const WText& path) = 0;
    virtual bool CreateKey(RegRoot root, const WText& path) = 0;
    // The writers create the key when it is missing.
    virtual bool SetString(RegRoot root, const WText& path, const WText& name, const WText& text) = 0;
    virtual bool SetDword(RegRoot root, const WText& path, const WText& name, u32 value) = 0;
    // False when the key or the value is missing or has another type.
    virtual bool ReadString(RegRoot root, const WText& path, const WText& name, WText& text) = 0;
    virtual bool ReadDword(RegRoot root, const WText& path, const WText& name, u32& value) = 0;
    virtual bool DeleteValue(RegRoot root, const WText& path, const WText& name) = 0;
    // The key with everything under it.
    virtual bool DeleteTree(RegRoot root, const WText& path) = 0;
    // The key only when it holds no subkey.
    virtual bool DeleteKey(RegRoot root, const WText& path) = 0;
    virtual std::vector<WText> Subkeys(RegRoot root, const WText& path) = 0;
    virtual std::vector<WText> ValueNames(RegRoot root, const WText& path) = 0;
    // Every subkey and value of `from` into `to` (created), whatever their sizes.
    virtual bool CopyTree(RegRoot root, const WText& from, const WText& to) = 0;
    virtual void Flush(RegRoot root, const WText& path) {}
};
