#include "terminal/core/scrollback.h"

void CreateScrollBar(HINSTANCE, HWND) {}
void ShowScrollBarWindow() {}
int ScrollBarWidth()
{
    return 0;
}
void ScrollBackHandler(int, int) {}
void PanHistoryView(int) {}
