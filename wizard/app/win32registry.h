// The wizard's registry store over the Windows registry (HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER). Failures are silent, as the store's contract says.
#pragma once

#include "wizard/engine/registrystore.h"

class Win32Registry : public RegistryStore {
public:
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
    void Flush(RegRoot root, const WText& path) override;
};
