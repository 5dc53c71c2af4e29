// What the connection pages offer: the model lists and the default telnet names, kept
// equal to the names the terminal itself sends, and the serial port numbers.
#include <gtest/gtest.h>

#include "terminal/comms/telnet/recordsession.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/emulations/hp700/terminaltype.h"
#include "terminal/settings/store/profilevalues.h"
#include "wizard/engine/pagedata.h"
#include "wizard/memoryregistry.h"

namespace {

// The name the terminal sends for an emulation and model when the profile stores none.
std::string TerminalsName(u32 emulation, u32 model)
{
    EmulationId = static_cast<u8>(emulation);
    TerminalId = static_cast<u8>(model);
    Configured3270Model = static_cast<u8>(model);
    Configured5250Model = static_cast<u8>(model);
    HpModel = static_cast<u8>(model);
    char name[64] = {};
    GetTerminalTypeName(name, sizeof name);
    return name;
}

TEST(WizardPageData, DefaultTelnetNamesAreTheTerminals)
{
    const u8 savedEmulation = EmulationId, savedTerminal = TerminalId;
    const u8 saved3270 = Configured3270Model, saved5250 = Configured5250Model, savedHp = HpModel;
    for (u32 emulation = 0; emulation < kWizardEmulationCount; ++emulation) {
        const ModelList* list = ModelListFor(emulation);
        const int models = list ? list->count : 1;
        for (int model = 0; model < models; ++model) {
            const std::string wizard = Narrow(DefaultTelnetName(emulation, static_cast<u32>(model)));
            const std::string terminal = TerminalsName(emulation, static_cast<u32>(model));
            if (emulation == 7) {
                // The 5250 family names each model itself once it runs; without it the
                // terminal falls back to the 3179-2, the model the wizard offers fourth.
                EXPECT_EQ(terminal, "IBM-3179-2");
                EXPECT_EQ(wizard.rfind("IBM-", 0), 0u) << "model " << model;
                if (model == 3) {
                    EXPECT_EQ(wizard, terminal);
                }
            } else if (emulation == 20) {
                // The wizard's table leaves DG 410/412 empty: the terminal then sends its own.
                EXPECT_EQ(wizard, "");
                EXPECT_EQ(terminal, "dg410");
            } else {
                EXPECT_EQ(wizard, terminal) << kEmulationNames[emulation] << " model " << model;
            }
        }
    }
    EmulationId = savedEmulation;
    TerminalId = savedTerminal;
    Configured3270Model = saved3270;
    Configured5250Model = saved5250;
    HpModel = savedHp;
}

TEST(WizardPageData, ModelListsAndCaptions)
{
    const std::pair<u32, int> counts[] = {{0, 15}, {3, 15}, {6, 13}, {7, 12}, {16, 2}, {18, 5}, {17, 0}, {23, 0}};
    for (const auto& [emulation, count] : counts) {
        const ModelList* list = ModelListFor(emulation);
        EXPECT_EQ(list ? list->count : 0, count) << emulation;
    }
    EXPECT_EQ(Narrow(ModelCaption(W("IBM 5250 Model"))), "&IBM 5250 Model:");
    EXPECT_EQ(Narrow(ModelCaption(W("&VT Terminal ID:"))), "&VT Terminal ID:");
    EXPECT_EQ(ModelCaption(W(std::string(80, 'x'))).size(), 58u);
}

TEST(WizardPageData, SerialDeviceNumbers)
{
    const std::pair<const char*, int> cases[] = {
        {"COM1", 0}, {"COM3", 2}, {"COM12", 11}, {"COM3x", 2}, {"COM", -1}, {"COMx", -1}, {"", -1},
    };
    for (const auto& [name, number] : cases)
        EXPECT_EQ(SerialDeviceNumber(W(name)), number) << name;
}

}  // namespace

namespace {

TEST(WizardPageData, PortListAndItsDefault)
{
    const std::vector<WText> serial = {W("COM1"), W("COM3"), W("Serial9")};
    const std::vector<WText> printers = {W("LPT1:"), W("FILE:"), W("lpt1:"), W("LPT2:"), W("COM1")};
    std::vector<std::string> got;
    for (const WText& port : PortList(serial, printers))
        got.push_back(Narrow(port));
    EXPECT_EQ(got, (std::vector<std::string>{"COM1", "COM3", "LPT1:", "LPT2:"}));
    EXPECT_EQ(Narrow(DefaultPort(PortList(serial, printers), W(""))), "LPT1:");
    EXPECT_EQ(Narrow(DefaultPort(PortList(serial, printers), W("COM3"))), "COM3");
    EXPECT_EQ(Narrow(DefaultPort(PortList(serial, {}), W(""))), "");
    EXPECT_TRUE(IsSerialPortName(W("\\\\.\\COM2")));
    EXPECT_FALSE(IsSerialPortName(W("LPT1:")));
}

}  // namespace
