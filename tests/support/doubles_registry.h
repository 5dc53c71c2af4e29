// The registry layer as engine tests and fuzz targets see it: keys are names in memory
// ("COLOURS", "VT300", "Macros\key" ...), each a map of values with their type and bytes.
// Its readers keep the layer's contract (registry.h): types, sizes and the absent-value
// rule of KeepCurrentValues.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "terminal/core/base/registry.h"

namespace doubles {
struct RegistryValue {
    u32 type = 0;
    std::vector<u8> bytes;
};
using RegistryKey = std::map<std::basic_string<wchar16>, RegistryValue>;
struct RegistryDouble {
    std::map<std::basic_string<wchar16>, RegistryKey> keys;
};
RegistryDouble& Registry();
// The key's handle, creating it when absent.
HKEY RegistryKeyHandle(const std::basic_string<wchar16>& name);
// No keys, KeepCurrentValues 0.
void ResetRegistry();
}  // namespace doubles
