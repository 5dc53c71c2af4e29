// glibc's iconv as an independent reference for the code-page tables (native build).
#pragma once

#include <iconv.h>

#include <optional>
#include <string>

#include "terminal/core/base/vxtypes.h"

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (ok())
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    std::string Convert(std::string in)
    {
        char out[16];
        char* inp = in.data();
        char* outp = out;
        size_t inLeft = in.size(), outLeft = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1))
            return {};
        return std::string(out, outp);
    }

private:
    iconv_t cd_;
};

// The peer's character for one byte, or nothing where the set leaves it undefined.
inline std::optional<u16> PeerDecode(Iconv& toUtf16, u8 byte)
{
    const std::string out = toUtf16.Convert(std::string(1, static_cast<char>(byte)));
    if (out.size() != 2)
        return std::nullopt;
    return static_cast<u16>(static_cast<u8>(out[0]) | static_cast<u8>(out[1]) << 8);
}

// The peer's byte for one character, or nothing when the set lacks it.
inline std::optional<u8> PeerEncode(Iconv& fromUtf16, u16 u)
{
    const std::string out = fromUtf16.Convert({static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)});
    if (out.size() != 1)
        return std::nullopt;
    return static_cast<u8>(out[0]);
}
