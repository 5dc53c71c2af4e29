#include "terminal/input/bars/toolbarstate.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/startopts.h"
#include "terminal/input/bars/bitmapload.h"
#include "terminal/input/bars/toolbars.h"

ToolbarWindowState Bars;

namespace {
const wchar_t* const kFaceUp[kToolbarFaceSizes] = {L"Sbup", L"Mbup", L"Lbup"};
const wchar_t* const kFaceDown[kToolbarFaceSizes] = {L"Sbdn", L"Mbdn", L"Lbdn"};

void Delete(HBITMAP& bitmap)
{
    if (bitmap)
        DeleteObject(bitmap);
    bitmap = nullptr;
}

ToolbarSize Measure(HBITMAP bitmap, ToolbarSize fallback)
{
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof info, &info) == sizeof info)
        return ToolbarSize{info.bmWidth, info.bmHeight};
    return fallback;
}

bool HasDot(const wchar_t* name)
{
    return wcschr(name, L'.') != nullptr;
}
}  // namespace

bool ToolbarFixedProfile()
{
    return StartupOptions.registeredConnection != 0;
}

HBITMAP LoadToolbarBitmap(const wchar_t* name)
{
    if (!name || !*name)
        return nullptr;
    if (HasDot(name))
        return LoadBitmapFile(name);
    return LoadBitmapW(InstanceHandle, name);
}

bool LoadToolbarImage(ToolbarTables& tables, int index, const wchar_t* name)
{
    if (index < 0 || index >= kToolbarImageSlots || !name || !*name)
        return false;
    ToolbarImage& slot = tables.images[index];
    if (FindToolbarImage(tables, name) == index)
        return true;
    HBITMAP bitmap = LoadToolbarBitmap(name);
    if (!bitmap)
        return false;
    Delete(slot.bitmap);
    SetToolbarImage(tables, index, bitmap, name, 0);
    return true;
}

void DeleteToolbarImages(ToolbarTables& tables)
{
    for (ToolbarImage& image : tables.images)
        Delete(image.bitmap);
    tables.imageCount = tables.fileImageCount = 0;
}

void ResetToolbarImages(ToolbarTables& tables)
{
    for (int i = 0; i < kToolbarImageSlots; ++i) {
        ToolbarImage& image = tables.images[i];
        const wchar16* factory = FactoryImageName(i);
        if (factory && image.bitmap && image.builtIn && wcscmp(image.name, factory) == 0)
            continue;  // already the factory picture
        Delete(image.bitmap);
        image = ToolbarImage{};
    }
    tables.imageCount = 0;
    for (int i = 0; i < kFactoryImageCount; ++i) {
        HBITMAP bitmap = tables.images[i].bitmap;
        if (!bitmap)
            bitmap = LoadBitmapW(InstanceHandle, FactoryImageName(i));
        SetToolbarImage(tables, i, bitmap, FactoryImageName(i), 1);
    }
    tables.fileImageCount = 0;
}

int CountFileImages(const ToolbarTables& tables)
{
    int count = 0;
    for (int i = 0; i < tables.imageCount && i < kToolbarImageSlots; ++i)
        if (tables.images[i].bitmap && !tables.images[i].builtIn && HasDot(tables.images[i].name))
            ++count;
    return count;
}

ToolbarRect WorkAreaNear(const ToolbarRect& rect)
{
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        work = info.rcWork;
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return ToolbarRect{work.left, work.top, work.right, work.bottom};
}

void InitToolbarButtons(HWND mainWindow)
{
    DestroyToolbarResources();
    const ToolbarFaceSizes builtIn;
    const ToolbarSize* const fallback[kToolbarFaceSizes] = {&builtIn.small, &builtIn.medium, &builtIn.large};
    ToolbarSize* const sizes[kToolbarFaceSizes] = {&ToolbarFaces.small, &ToolbarFaces.medium, &ToolbarFaces.large};
    for (int i = 0; i < kToolbarFaceSizes; ++i) {
        Bars.faceUp[i] = LoadBitmapW(InstanceHandle, kFaceUp[i]);
        Bars.faceDown[i] = LoadBitmapW(InstanceHandle, kFaceDown[i]);
        *sizes[i] = Measure(Bars.faceUp[i], *fallback[i]);
    }
    Bars.type = kToolbarAttached;
    POINT origin{0, 0};
    ClientToScreen(mainWindow, &origin);
    Bars.attachedRect = RECT{0, 0, GetSystemMetrics(SM_CXFULLSCREEN) + GetSystemMetrics(SM_CXVSCROLL),
                             kToolbarGap + ToolbarFaces.small.cy};
    Bars.floatingRect = DefaultFloatingRect(origin.x, origin.y, ToolbarFaces, Bars.nonClient);
    Bars.ready = true;
}

void DestroyToolbarResources()
{
    DestroyToolTip();
    for (int i = 0; i < kToolbarFaceSizes; ++i) {
        Delete(Bars.faceUp[i]);
        Delete(Bars.faceDown[i]);
    }
    DeleteToolbarImages(Toolbar);
    Toolbar.buttonCount = 0;
    Toolbar.actionCount = 0;
    Bars.ready = false;
}
