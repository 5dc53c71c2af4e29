// ".bmp" files drawn by the tests: bottom-up, 8 or 24 bits, every pixel's colour known.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bmp_test {

// A bottom-up file of `width` x `height` at 8 or 24 bits; pixel (x, y) from the top is
// colour Colour(x, y), through a grey-free palette at 8 bits.
inline COLORREF Colour(int x, int y, int bits)
{
    const int index = (x * 7 + y * 13) % 200;
    return bits == 24 ? RGB(x * 3 % 256, y * 5 % 256, (x + y) % 256) : RGB(index, 255 - index, 40);
}

inline std::vector<unsigned char> BitmapFileBytes(int width, int height, int bits)
{
    const int row = (width * bits / 8 + 3) / 4 * 4, colours = bits == 8 ? 200 : 0;
    std::vector<unsigned char> f;
    auto put = [&f](unsigned v, int n) {
        for (int i = 0; i < n; ++i)
            f.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    const unsigned offset = 14 + 40 + 4 * colours;
    put('B' | 'M' << 8, 2), put(offset + row * height, 4), put(0, 4), put(offset, 4);
    put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(bits, 2), put(0, 4), put(row * height, 4);
    put(0, 4), put(0, 4), put(colours, 4), put(0, 4);
    for (int i = 0; i < colours; ++i) {
        const COLORREF c = RGB(i, 255 - i, 40);
        put(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 4);
    }
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t start = f.size();
        for (int x = 0; x < width; ++x) {
            const COLORREF c = Colour(x, y, bits);
            if (bits == 8)
                put((x * 7 + y * 13) % 200, 1);
            else
                put(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 3);
        }
        f.resize(start + row);
    }
    return f;
}

// Writes `bytes` as file `name` in `directory`; the file's path.
inline std::wstring WriteBytes(const std::wstring& directory, const wchar_t* name,
                               const std::vector<unsigned char>& bytes)
{
    const std::wstring path = directory + L"\\" + name;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return path;
}

}  // namespace bmp_test
