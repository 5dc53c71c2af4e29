#include "tools/winprobe/clipboard.h"

#include <cstdio>
#include <cstring>

#include "tools/winprobe/answers.h"

namespace {

bool g_held = false;

// Another program may hold the clipboard for a moment (the terminal, or Wine's own
// clipboard manager handing the last change to X, which on a loaded machine may come
// late): try for five seconds.
bool Open()
{
    if (g_held)
        return true;
    for (int i = 0; i < 250; ++i) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(20);
    }
    return false;
}

void Close()
{
    if (!g_held)
        CloseClipboard();
}

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    return bytes;
}

std::string SetText(const std::string& utf8)
{
    const std::wstring text = Wide(utf8);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!block)
        return Error("no memory");
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    if (!Open()) {
        GlobalFree(block);
        return Error("clipboard busy");
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!set)
        GlobalFree(block);
    Close();
    return set ? "{\"ok\":true}" : Error("set failed");
}

std::string Text()
{
    if (!Open())
        return Error("clipboard busy");
    std::string formats;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        formats += (formats.empty() ? "" : ",") + std::to_string(f);
    std::string answer = "{\"ok\":true,\"formats\":[" + formats + "]";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            answer += ",\"text\":" + Json(Utf8(units));
            GlobalUnlock(data);
        }
    }
    Close();
    return answer + "}";
}

std::string SetBitmap(int width, int height)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (!bitmap)
        return Error("no bitmap");
    if (!Open()) {
        DeleteObject(bitmap);
        return Error("clipboard busy");
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    if (!set)
        DeleteObject(bitmap);
    Close();
    return set ? "{\"ok\":true}" : Error("set failed");
}

std::string SaveBitmap(const std::string& path)
{
    if (!Open())
        return Error("clipboard busy");
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) {
        Close();
        return Error("no bitmap");
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(info.bmWidth) * 3 + 3) & ~3u;
    header.biSizeImage = stride * static_cast<DWORD>(info.bmHeight);
    std::string pixels(header.biSizeImage, '\0');
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    Close();
    if (lines != info.bmHeight)
        return Error("no pixels");
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE* out = _wfopen(Wide(path).c_str(), L"wb");
    if (!out)
        return Error("cannot write");
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
    return "{\"ok\":true,\"width\":" + std::to_string(info.bmWidth) +
           ",\"height\":" + std::to_string(info.bmHeight) + "}";
}

std::string SetFile(const std::string& path)
{
    FILE* in = _wfopen(Wide(path).c_str(), L"rb");
    if (!in)
        return Error("cannot read");
    std::string bytes;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        bytes.append(buffer, n);
    std::fclose(in);
    return SetText(bytes);
}

}  // namespace

bool ClipboardCommand(const std::vector<std::string>& a, std::string* answer)
{
    const std::string cmd = a.empty() ? "" : a[0];
    auto arg = [&](size_t i) { return i < a.size() ? a[i] : std::string(); };
    if (cmd == "clip-text")
        *answer = Text();
    else if (cmd == "clip-set-text")
        *answer = SetText(FromHex(arg(1)));
    else if (cmd == "clip-set-file")
        *answer = SetFile(arg(1));
    else if (cmd == "clip-set-bitmap")
        *answer = SetBitmap(std::atoi(arg(1).c_str()), std::atoi(arg(2).c_str()));
    else if (cmd == "clip-save-bitmap")
        *answer = SaveBitmap(arg(1));
    else if (cmd == "clip-hold") {
        g_held = Open();
        *answer = g_held ? "{\"ok\":true}" : Error("clipboard busy");
    } else if (cmd == "clip-release") {
        if (g_held)
            CloseClipboard();
        g_held = false;
        *answer = "{\"ok\":true}";
    } else if (cmd == "clip-empty") {
        const bool opened = Open();
        if (opened) {
            EmptyClipboard();
            Close();
        }
        *answer = opened ? "{\"ok\":true}" : Error("clipboard busy");
    } else {
        return false;
    }
    return true;
}
