// Resource ids of vexaNT.exe.
#pragma once

#define IDI_VEXANT 700
