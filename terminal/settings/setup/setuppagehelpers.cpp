#include "terminal/settings/setup/setuppagehelpers.h"

#include "terminal/core/window/dialogs/dialogbase.h"

namespace {
constexpr int kMaxComboTables = 16;
struct ComboTable {
    const IndexCombo* combos;
    int count;
};
ComboTable g_tables[kMaxComboTables] = {};
int g_tableCount = 0;

const IndexCombo* Find(u16 combo)
{
    for (int t = 0; t < g_tableCount; ++t)
        for (int i = 0; i < g_tables[t].count; ++i)
            if (g_tables[t].combos[i].combo == combo)
                return &g_tables[t].combos[i];
    return nullptr;
}
}  // namespace

bool IsSelectionChange(const SetupControlEntry& entry, WPARAM wParam)
{
    return LOWORD(wParam) == entry.id && HIWORD(wParam) == CBN_SELCHANGE;
}

void RegisterIndexCombos(const IndexCombo* combos, int count)
{
    for (int t = 0; t < g_tableCount; ++t)
        if (g_tables[t].combos == combos)
            return;
    if (g_tableCount < kMaxComboTables)
        g_tables[g_tableCount++] = {combos, count};
}

void ComboIndexHandler(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    u16* variable = static_cast<u16*>(entry.variable);
    const IndexCombo* range = Find(entry.id);
    if (!variable || !range)
        return;
    if (init) {
        FillComboFromStrings(GetDlgItem(window, entry.id), range->firstString, range->lastString);
        SendDlgItemMessageW(window, entry.id, CB_SETCURSEL, *variable & 0xFF, 0);
    } else if (IsSelectionChange(entry, wParam)) {
        const int index = ComboSelection(window, entry.id);
        if (index != CB_ERR)
            *variable = static_cast<u8>(index);
    }
}
