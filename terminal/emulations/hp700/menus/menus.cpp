#include "terminal/emulations/hp700/menus/menus.h"

#include "terminal/emulations/hp700/hp700.h"

void Hp700ShowMenu(u8 menu)
{
    Hp700.menu = Hp700.rememberedMenu = menu;
}

void Hp700ReturnToRememberedMenu()
{
    Hp700.menu = Hp700.rememberedMenu;
}

void Hp700RefreshSoftKeyStates() {}
void Hp700BuildLabelLines() {}
void Hp700SelfTest()
{
    Hp700.selfTestRan = true;
}
