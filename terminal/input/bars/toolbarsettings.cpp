// The profile's "Toolbar" section: the bar's type and floating place, the pictures
// loaded from files ("Buttons"), and the buttons ("Defns", with their texts in
// "Actions").
#include <vector>

#include "terminal/core/base/startopts.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"
#include "terminal/input/bars/toolbarvalues.h"
#include "terminal/core/base/registry.h"

namespace {
constexpr wchar_t kSection[] = L"Toolbar";

struct Key {
    HKEY handle;
    explicit Key(HKEY h) : handle(h) {}
    ~Key() { SettingsCloseKey(handle); }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
};

void LoadFileImages(HKEY section)
{
    Key buttons(SettingsOpenSubkey(section, L"Buttons"));
    if (!buttons.handle)
        return;
    std::vector<wchar_t> names(static_cast<std::size_t>(kToolbarImageSlots) * kToolbarImageNameUnits + 2);
    if (!SettingsListDwordValues(buttons.handle, names.data(), static_cast<int>(names.size())) || !names[0])
        return;
    Toolbar.imageCount = 0;
    for (const wchar_t* name = names.data(); *name; name += wcslen(name) + 1) {
        const u32 index = SettingsReadDword(buttons.handle, name, 0xFFFFFFFFu, 0xFFFFFFFFu);
        if (index != 0xFFFFFFFFu)
            LoadToolbarImage(Toolbar, static_cast<int>(index), name);
    }
    // Slots below the highest one loaded keep their pictures and count again.
    for (int i = 0; i < kToolbarImageSlots; ++i)
        if (Toolbar.images[i].bitmap && i >= Toolbar.imageCount)
            Toolbar.imageCount = i + 1;
    Toolbar.fileImageCount = CountFileImages(Toolbar);
}

void SaveFileImages(HKEY section)
{
    // Written afresh: a picture the user deleted must not come back at the next start.
    SettingsDeleteKeyTree(section, L"Buttons");
    Key buttons(SettingsCreateSubkey(section, L"Buttons"));
    for (int i = 0; i < Toolbar.imageCount && i < kToolbarImageSlots; ++i) {
        const ToolbarImage& image = Toolbar.images[i];
        if (!image.builtIn && image.name[0])
            SettingsWriteDword(buttons.handle, image.name, static_cast<u32>(i));
    }
}
}  // namespace

void LoadToolbarSettings(const wchar_t* profile)
{
    const bool keep = KeepCurrentValues == 1;
    if (!keep) {
        ResetToolbarImages(Toolbar);
        ResetToolbarActions(Toolbar, ToolbarFixedProfile());
        ResetToolbarButtons(Toolbar, ToolbarFaces);
    }
    Key section(SettingsOpenSection(profile, kSection));
    Bars.type = ToolbarTypeFromValue(SettingsReadDword(section.handle, L"Type", Bars.type, kToolbarAttached));
    ToolbarRect floating;
    if (ReadFloatingRect(section.handle, floating))
        Bars.floatingRect = BringOntoArea(floating, WorkAreaNear(floating));
    LoadFileImages(section.handle);
    Key defns(SettingsOpenSubkey(section.handle, L"Defns"));
    if (defns.handle) {
        Key actions(SettingsOpenSubkey(section.handle, L"Actions"));
        ReadToolbarButtons(Toolbar, defns.handle, actions.handle);
    } else if (!keep) {
        Toolbar.buttonCount = kFactoryButtonCount;
    }
    // A second pass without "Defns" keeps what the first one read.
    if (!StartupOptions.toolbarShown)
        Bars.type = kToolbarNone;
}

void ResetToolbarDefaults()
{
    if (!Bars.ready)
        return;
    ResetToolbarImages(Toolbar);
    ResetToolbarActions(Toolbar, ToolbarFixedProfile());
    ResetToolbarButtons(Toolbar, ToolbarFaces);
    for (HWND bar : {Bars.attached, Bars.floating})
        if (bar)
            InvalidateRect(bar, nullptr, TRUE);
}

void SaveToolbarSettings(const wchar16* profile)
{
    if (!Bars.ready)
        return;
    Key section(SettingsCreateSection(profile, kSection));
    if (!section.handle)
        return;
    SettingsWriteDwordOrDelete(section.handle, L"Type", Bars.type, kToolbarAttached);
    WriteFloatingRect(section.handle, Bars.floatingRect);
    SaveFileImages(section.handle);
    if (ToolbarButtonsAreFactory(Toolbar))
        return;
    SettingsDeleteKeyTree(section.handle, L"Defns");
    SettingsDeleteKeyTree(section.handle, L"Actions");
    Key defns(SettingsCreateSubkey(section.handle, L"Defns"));
    Key actions(SettingsCreateSubkey(section.handle, L"Actions"));
    WriteToolbarButtons(Toolbar, defns.handle, actions.handle);
}
