#include "wizard/engine/registration.h"

#include "wizard/engine/keypaths.h"

void WizardRegisterClient(RegistryStore& reg)
{
    const WText key = ClientKeyPath();
    reg.SetString(RegRoot::Machine, key, Widen("Description"), Widen("Quorlan Terminal Emulation Client"));
    reg.SetString(RegRoot::Machine, key, Widen("Type"), Widen("ZEZ"));
    reg.SetString(RegRoot::Machine, key, Widen("NewExe"), Widen("VXNTCONWIZ.EXE"));
    reg.SetString(RegRoot::Machine, key, Widen("NewCmdLineArgs"), WText());
    reg.Flush(RegRoot::Machine, key);
}

void WizardRegisterConnection(RegistryStore& reg, const WText& name, const WText& startLine, bool keepMacros)
{
    if (name.empty() || name.find('\\') != WText::npos)
        return;
    const WText key = ConnectionKeyPath(name);
    const RegRoot root = RegRoot::Machine;
    reg.SetString(root, key, Widen("Description"), name);
    reg.SetString(root, key, Widen("StartExe"), Widen("vexaNT"));
    reg.SetString(root, key, Widen("StartCmdLineArgs"), startLine);
    reg.SetString(root, key, Widen("PropertiesExe"), Widen("VXNTCONWIZ.EXE"));
    reg.SetString(root, key, Widen("PropertiesCmdLineArgs"),
                  Widen("-E") + name + (keepMacros ? Widen(" -M") : WText()));
    reg.SetString(root, key, Widen("DeleteExe"), Widen("VXNTCONWIZ.EXE"));
    reg.SetString(root, key, Widen("DeleteCmdLineArgs"), Widen("-D") + name);
    reg.Flush(root, key);
}

bool UnregisterConnection(RegistryStore& reg, const WText& name)
{
    if (name.empty() || name.find('\\') != WText::npos)
        return false;
    const RegRoot root = RegRoot::Machine;
    reg.DeleteTree(root, ConnectionKeyPath(name));
    if (reg.KeyExists(root, ConnectionsKeyPath()) && reg.Subkeys(root, ConnectionsKeyPath()).empty())
        reg.DeleteKey(root, ConnectionsKeyPath());
    reg.Flush(root, ClientKeyPath());
    return true;
}

bool ReadStartLine(RegistryStore& reg, const WText& name, WText& line)
{
    return !name.empty() &&
           reg.ReadString(RegRoot::Machine, ConnectionKeyPath(name), Widen("StartCmdLineArgs"), line);
}
