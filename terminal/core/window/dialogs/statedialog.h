// The dialog procedure of a dialog with a state object of its own (what Cancel puts
// back, what the dialog lists): the object is made at WM_INITDIALOG and handed to
// `Init`, whose result is the message's, and freed at WM_DESTROY, so a dialog opened
// from inside another keeps its own; every WM_COMMAND goes to `Command` with the
// control id and notification code; the program's palette is realised as in every
// dialog.
#pragma once

#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/window/dialogs/dialogs.h"

template <typename State, INT_PTR (*Init)(HWND, State&), void (*Command)(HWND, State&, int id, int code)>
INT_PTR StateDialogProc(HWND dialog, UINT message, WPARAM wParam)
{
    State* s = DialogState<State>(dialog);
    if (HandleDialogPalette(dialog, message, wParam))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        s = new State{};
        SetDialogState(dialog, s);
        return Init(dialog, *s);
    case WM_COMMAND:
        if (s)
            Command(dialog, *s, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        SetDialogState(dialog, nullptr);
        delete s;
        return FALSE;
    default: return FALSE;
    }
}
