// Fixed-width types and the UTF-16 text type shared by engines and platform code.
//
// Engines never include <windows.h>. Where they must name a window or module they use
// the opaque handle types below, which are the very types <windows.h> declares, so the
// platform code passes its handles through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;
using i8 = std::int8_t;
using i16 = std::int16_t;
using i32 = std::int32_t;
using i64 = std::int64_t;

// One UTF-16 unit. On Windows it is wchar_t, so texts pass to the wide APIs as they
// are; in the native build of the engines it is char16_t. VXT("...") writes a literal
// of that type.
#ifdef _WIN32
using wchar16 = wchar_t;
#define VXT(s) L##s
#else
using wchar16 = char16_t;
#define VXT(s) u##s
#endif
static_assert(sizeof(wchar16) == 2, "UTF-16 units are two bytes");

struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
