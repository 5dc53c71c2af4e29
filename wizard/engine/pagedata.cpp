#include "wizard/engine/pagedata.h"

#include <iterator>

namespace {

constexpr u32 Bit(u32 id)
{
    return 1u << id;
}

// clang-format off
const char* const kVtModels[] = {"vt100", "vt101", "vt102", "vt125", "vt220", "vt240", "vt320", "vt340",
                                 "vt420", "vt131", "vt132", "m2200", "vt510", "vt520", "vt525"};
const char* const k3270Models[] = {"3278-2", "3278-3", "3278-4", "3278-5", "3278-2-E", "3278-3-E", "3278-4-E",
                                   "3278-5-E", "3279-2", "3279-3", "3279-4", "3279-5", "3287-1"};
const char* const k5250Models[] = {"5291-1", "5292-2", "5251-11", "3179-2", "3196-A1", "3180-2", "3477-FC",
                                   "3477-FG", "3486-BA", "3487-HA", "3487-HC", "3812-1"};
const char* const kHpModels[] = {"2392A", "70092", "2622A", "70094", "70096"};
const char* const kIbm3151Models[] = {"11", "31"};

const ModelList kVtList = {30109, kValueTermid, kVtModels, static_cast<int>(std::size(kVtModels))};
const ModelList k3270List = {3600, kValueIbmMode, k3270Models, static_cast<int>(std::size(k3270Models))};
const ModelList k5250List = {3199, kValueI52Model, k5250Models, static_cast<int>(std::size(k5250Models))};
const ModelList kHpList = {1690, kValueHpTermid, kHpModels, static_cast<int>(std::size(kHpModels))};
const ModelList kIbm3151List = {2684, kValueI51Model, kIbm3151Models, static_cast<int>(std::size(kIbm3151Models))};

// The telnet names of the emulations without a model list; DG 410/412's entry is empty.
const char* const kTelnetNames[kWizardEmulationCount] = {
    "", "", "", "", "ansi", "ansi", "", "", "ZARA-50", "ZARA-50", "TVI910", "TVI920", "TVI925", "ADDS-A2",
    "HZ1500", "ZARA-60", "IBM-3151", "tn6530-8", "", "TVI955", "", "at386-m", "TVI950", "aixterm",
};

const char* const kSpeeds[] = {"110", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600",
                               "115200"};
const char* const kDataBits[] = {"6", "7", "8"};
const char* const kParity[] = {"None", "Odd", "Even", "Mark", "Space"};
const char* const kStopBits[] = {"1", "1.5", "2"};
const char* const kFlow[] = {"None", "Input", "Output", "In/Out", "Hardware"};
const char* const kTransmit[] = {"110", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600",
                                 "Unlimited"};
// clang-format on

constexpr u32 kVtAndAnsi = Bit(0) | Bit(1) | Bit(2) | Bit(3) | Bit(4) | Bit(5);

}  // namespace

const char* const kEmulationNames[kWizardEmulationCount] = {
    "VT52",    "VT100",  "VT500 7-Bit", "VT500 8-Bit", "Ansi BBS",   "SCO Console", "IBM3270", "IBM5250",
    "WY50",    "WY50+",  "TVI910",      "TVI920",      "TVI925",     "ADDS A2",     "HZ1500",  "WY60",
    "IBM3151", "TA6530", "HP700-92/96", "TVI955",      "DG 410/412", "AT 386",      "TVI950",  "AIXTerm",
};

const EmulationOption kEmulationOptions[kEmulationOptionCount] = {
    {30113, kValueI52Mono, Bit(7)},
    {30246, kValueAixHft, Bit(23)},
    {30245, kValueCursr2l, kVtAndAnsi | Bit(21) | Bit(23)},
    {30153, kValueCtrlAsEnter, Bit(6) | Bit(7)},
    {30154, kValueCtrlAsReset, Bit(6) | Bit(7)},
    {30156, kValueCrAsEnter, Bit(7)},
};

const ChoiceList kSerialChoices[kSerialChoiceCount] = {
    {1208, kValueComspeed, kSpeeds, static_cast<int>(std::size(kSpeeds))},
    {1248, kValueComdatab, kDataBits, static_cast<int>(std::size(kDataBits))},
    {1209, kValueComparity, kParity, static_cast<int>(std::size(kParity))},
    {1249, kValueComstopb, kStopBits, static_cast<int>(std::size(kStopBits))},
    {1210, kValueComflowc, kFlow, static_cast<int>(std::size(kFlow))},
    {1211, kValueEtxspeed, kTransmit, static_cast<int>(std::size(kTransmit))},
};

const ModelList* ModelListFor(u32 emulation)
{
    switch (emulation) {
    case 0:
    case 1:
    case 2:
    case 3: return &kVtList;
    case 6: return &k3270List;
    case 7: return &k5250List;
    case 16: return &kIbm3151List;
    case 18: return &kHpList;
    default: return nullptr;
    }
}

WText ModelCaption(const WText& text)
{
    WText caption = text.substr(0, 56);
    if (caption.find('&') == WText::npos)
        caption.insert(caption.begin(), '&');
    if (caption.empty() || caption.back() != ':')
        caption.push_back(':');
    return caption;
}

u32 TelnetModelOf(u32 emulation, const u32* numbers)
{
    const ModelList* list = ModelListFor(emulation);
    return list ? numbers[list->setting] : 0;
}

WText DefaultTelnetName(u32 emulation, u32 model)
{
    if (emulation >= kWizardEmulationCount)
        return Widen("tty");
    const ModelList* list = ModelListFor(emulation);
    if (list && emulation != 16) {
        const char* name = model < static_cast<u32>(list->count) ? list->names[model] : list->names[0];
        if (emulation <= 3)
            return Widen(name);
        if (emulation == 18)
            return Widen("HP") + Widen(name);
        return Widen("IBM-") + Widen(name);
    }
    return Widen(kTelnetNames[emulation]);
}

bool ShowsOption(const EmulationOption& option, u32 emulation)
{
    return emulation < 32 && (option.emulations & Bit(emulation)) != 0;
}

bool TcpOnlyEmulation(u32 emulation)
{
    return emulation == 6 || emulation == 7;
}

int SerialDeviceNumber(const WText& portName)
{
    if (portName.size() <= 3 || portName[3] < '0' || portName[3] > '9')
        return -1;
    int n = 0;
    for (std::size_t i = 3; i < portName.size() && portName[i] >= '0' && portName[i] <= '9' && n < 100000; ++i)
        n = n * 10 + (portName[i] - '0');
    return n - 1;
}

namespace {

bool Contains(const WText& text, const char* part)
{
    const WText wanted = Widen(part);
    if (wanted.size() > text.size())
        return false;
    for (std::size_t i = 0; i + wanted.size() <= text.size(); ++i)
        if (SameTextIgnoringCase(text.substr(i, wanted.size()), wanted))
            return true;
    return false;
}

void AddOnce(std::vector<WText>& list, const WText& name)
{
    for (const WText& known : list)
        if (SameTextIgnoringCase(known, name))
            return;
    list.push_back(name);
}

}  // namespace

std::vector<WText> PortList(const std::vector<WText>& serialPorts, const std::vector<WText>& printerPorts)
{
    std::vector<WText> ports;
    for (const WText& name : serialPorts)
        if (Contains(name, "COM"))
            AddOnce(ports, name);
    for (const WText& name : printerPorts)
        if (Contains(name, "LPT"))
            AddOnce(ports, name);
    return ports;
}

bool IsSerialPortName(const WText& name)
{
    return Contains(name, "COM");
}

WText DefaultPort(const std::vector<WText>& ports, const WText& stored)
{
    if (!stored.empty())
        return stored;
    for (const WText& name : ports)
        if (SameTextIgnoringCase(name, Widen("LPT1:")))
            return name;
    return WText();
}
