// Entry point of vexaNT.exe.
#include "terminal/core/program/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    // The wide command line keeps profile and host names outside the ANSI code page.
    return RunTerminalProgram(instance, CommandLineArguments(GetCommandLineW()), showCommand);
}
