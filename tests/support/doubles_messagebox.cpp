#include "support/test_doubles.h"

#include "terminal/core/base/messagebox.h"

namespace doubles {

Recorder& Recorded()
{
    static Recorder recorder;
    return recorder;
}

void Reset()
{
    Recorder& r = Recorded();
    std::lock_guard<std::mutex> guard(r.lock);
    r.messageBoxes.clear();
    r.onMessageBox = nullptr;
}

namespace {
std::u16string Text(const wchar16* t)
{
    std::u16string s;
    if (t)
        for (; *t; ++t)
            s.push_back(static_cast<char16_t>(*t));
    return s;
}

int Record(u32 id, std::u16string text)
{
    Recorder& r = Recorded();
    std::function<void(u32)> hook;
    {
        std::lock_guard<std::mutex> guard(r.lock);
        r.messageBoxes.push_back({id, std::move(text)});
        hook = r.onMessageBox;
    }
    if (hook)
        hook(id);
    return 1;  // IDOK
}
}  // namespace

}  // namespace doubles

int ShowMessage(const wchar16* text)
{
    return doubles::Record(0, doubles::Text(text));
}

int MessageBoxById(u32 id)
{
    return doubles::Record(id, {});
}

int MessageBoxFormatId(u32 id, const wchar16* argument)
{
    return doubles::Record(id, doubles::Text(argument));
}

int MessageBoxFormatIdNumber(u32 id, i32 argument)
{
    std::string n = std::to_string(argument);
    return doubles::Record(id, std::u16string(n.begin(), n.end()));
}

int MessageBoxFormatIdTextNumber(u32 id, const wchar16* text, i32 number)
{
    std::string n = std::to_string(number);
    return doubles::Record(id, doubles::Text(text) + u"|" + std::u16string(n.begin(), n.end()));
}

int MessageBoxFormatId2(u32 id, const wchar16* argument1, const wchar16* argument2)
{
    return doubles::Record(id, doubles::Text(argument1) + u"|" + doubles::Text(argument2));
}
