#include "terminal/emulations/hp700/printer/device.h"

void Hp700DeviceControl(const Hp700GroupParameters&) {}
void Hp700CopyAll() {}
void Hp700LogLine(int) {}
bool Hp700PrinterTakesByte(u8)
{
    return false;
}
