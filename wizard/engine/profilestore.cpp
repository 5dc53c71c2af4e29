#include "wizard/engine/profilestore.h"

#include "wizard/engine/keypaths.h"

namespace {

RegRoot ScopeRoot(const WizardSettings& s)
{
    return s.userScope ? RegRoot::User : RegRoot::Machine;
}

WText ValueName(WizardValueId id)
{
    return Widen(kWizardValues[id].name);
}

WText IndexedName(const char* head, std::size_t i)
{
    return Widen(head) + DecimalText(static_cast<i64>(i));
}

// The subkey of the Telnet section that holds a NEW-ENVIRON variable of `type`.
WText VariableKeyPath(const WizardSettings& s, u8 type)
{
    WText key = SectionKeyPath(s.name, Widen("Telnet")) + VXT("\\");
    key += Widen(s.PrinterDevice() ? "5250PRT," : "5250,");
    key += Widen(type == 0 ? "VAR" : "USERVAR");
    return key;
}

bool IsLoginScriptValue(const WText& name)
{
    if (SameTextIgnoringCase(name, Widen("Initiate")) || SameTextIgnoringCase(name, Widen("iNumEntries")))
        return true;
    for (const char* head : {"WaitFor", "WaitCond", "Response"}) {
        const WText prefix = Widen(head);
        if (name.size() <= prefix.size() || !SameTextIgnoringCase(name.substr(0, prefix.size()), prefix))
            continue;
        bool digits = true;
        for (std::size_t i = prefix.size(); i < name.size(); ++i)
            digits = digits && name[i] >= '0' && name[i] <= '9';
        if (digits)
            return true;
    }
    return false;
}

// A name the delete paths may act on: an empty one names the parent key, a backslash
// another profile's subkey.
bool DeletableName(const WText& name)
{
    return !name.empty() && name.find('\\') == WText::npos;
}

// One value by the plain rule: a number that differs from its default, a text that is
// not empty; otherwise, when `remove`, the stored value goes.
void WritePlain(RegistryStore& reg, RegRoot root, const WizardSettings& s, WizardValueId id, bool remove)
{
    const WizardValue& v = kWizardValues[id];
    const WText path = SectionKeyPath(s.name, SectionOf(id));
    if (v.type == ValueType::Dword ? s.number[id] != static_cast<u32>(v.factory) : !s.text[id].empty()) {
        if (v.type == ValueType::Dword)
            reg.SetDword(root, path, ValueName(id), s.number[id]);
        else
            reg.SetString(root, path, ValueName(id), s.text[id]);
    } else if (remove) {
        reg.DeleteValue(root, path, ValueName(id));
    }
}

void WriteValue(RegistryStore& reg, RegRoot root, const WizardSettings& s, WizardValueId id, bool edit)
{
    const bool remove = edit && s.present[id];
    const WText path = SectionKeyPath(s.name, SectionOf(id));
    const bool serial = s.Serial();
    switch (kWizardValues[id].rule) {
    case ValueRule::Always: reg.SetDword(root, path, ValueName(id), s.number[id]); break;
    case ValueRule::SerialDevice:
        if (serial)
            reg.SetDword(root, path, ValueName(id), s.number[id]);
        break;
    case ValueRule::SerialOnly:
        if (serial)
            WritePlain(reg, root, s, id, remove);
        break;
    case ValueRule::Host:
        if (!serial && !s.text[id].empty())
            reg.SetString(root, path, ValueName(id), s.text[id]);
        break;
    case ValueRule::Alternate:
        // Packed as a group at the first of them.
        if (!serial && id == kValueNetname1) {
            std::size_t slot = 0;
            for (int k = 0; k < 4; ++k) {
                const WText& host = s.text[kValueNetname1 + k];
                if (!host.empty())
                    reg.SetString(root, path, ValueName(static_cast<WizardValueId>(kValueNetname1 + slot++)),
                                  host);
            }
            for (; slot < 4; ++slot) {
                const WText name = ValueName(static_cast<WizardValueId>(kValueNetname1 + slot));
                WText stored;
                if (reg.ReadString(root, path, name, stored) && !stored.empty())
                    reg.SetString(root, path, name, WText());
            }
        }
        break;
    case ValueRule::Rollover:
        if (serial)
            break;
        if (s.number[id] == 1)
            reg.SetDword(root, path, ValueName(id), 1);
        else if (remove)
            reg.DeleteValue(root, path, ValueName(id));
        break;
    case ValueRule::Port:
        if (s.number[kValueDirectToPort] != 0 && !s.text[id].empty())
            reg.SetString(root, path, ValueName(id), s.text[id]);
        else if (remove)
            reg.DeleteValue(root, path, ValueName(id));
        break;
    case ValueRule::Lpr:
        if (s.number[kValueViaLpr])
            WritePlain(reg, root, s, id, remove);
        break;
    default: WritePlain(reg, root, s, id, remove); break;
    }
}

// Per-user: a value that differs from the machine profile is written, any other is
// deleted so that the machine value shows through.
void WriteOverride(RegistryStore& reg, const WizardSettings& s, WizardValueId id)
{
    const RegRoot root = RegRoot::User;
    const WizardValue& v = kWizardValues[id];
    const WText path = SectionKeyPath(s.name, SectionOf(id));
    const WText name = ValueName(id);
    const bool serial = s.Serial();
    bool write = s.changed[id];
    switch (v.rule) {
    case ValueRule::NotPerUser: return;
    // The transport and the serial device too are overrides only where they differ: an
    // override equal to the machine value would pin it against later machine edits.
    case ValueRule::Always: break;
    case ValueRule::SerialDevice:
        if (!serial)
            return;
        break;
    case ValueRule::SerialOnly:
        if (!serial)
            return;
        break;
    case ValueRule::Host:
        if (!serial && write && !s.text[id].empty())
            reg.SetString(root, path, name, s.text[id]);
        return;
    case ValueRule::Alternate:
    case ValueRule::Rollover:
        if (serial)
            return;
        break;
    case ValueRule::Port: write = write && s.number[kValueDirectToPort] != 0; break;
    case ValueRule::Lpr:
        if (!s.number[kValueViaLpr])
            return;
        break;
    case ValueRule::EmptyDeletes: write = write && !s.text[id].empty(); break;
    default: break;
    }
    if (!write)
        reg.DeleteValue(root, path, name);
    else if (v.type == ValueType::Dword)
        reg.SetDword(root, path, name, s.number[id]);
    else
        reg.SetString(root, path, name, s.text[id]);
}

bool SameScript(const LoginScript& a, const LoginScript& b)
{
    if (a.initiate != b.initiate || a.steps.size() != b.steps.size())
        return false;
    for (std::size_t i = 0; i < a.steps.size(); ++i)
        if (a.steps[i].wait != b.steps[i].wait || a.steps[i].response != b.steps[i].response ||
            (a.steps[i].kind == kLoginStepCondition) != (b.steps[i].kind == kLoginStepCondition))
            return false;
    return true;
}

void ClearLoginScript(RegistryStore& reg, RegRoot root, const WText& path)
{
    for (const WText& name : reg.ValueNames(root, path))
        if (IsLoginScriptValue(name))
            reg.DeleteValue(root, path, name);
}

void WriteLoginScript(RegistryStore& reg, RegRoot root, const WizardSettings& s)
{
    const WText path = StartupKeyPath(s.name);
    ClearLoginScript(reg, root, path);
    reg.CreateKey(root, path);
    if (!s.script.initiate.empty())
        reg.SetString(root, path, Widen("Initiate"), s.script.initiate);
    for (std::size_t i = 0; i < s.script.steps.size(); ++i) {
        const LoginStep& step = s.script.steps[i];
        reg.SetString(root, path, IndexedName(step.kind == kLoginStepCondition ? "WaitCond" : "WaitFor", i),
                      step.wait);
        reg.SetString(root, path, IndexedName("Response", i), step.response);
    }
    reg.SetDword(root, path, Widen("iNumEntries"), static_cast<u32>(s.script.steps.size()));
}

void WritePrinterVariables(RegistryStore& reg, RegRoot root, WizardSettings& s)
{
    for (int i = 0; i < kPrinterVariableCount; ++i) {
        const WText name = Widen(kPrinterVariables[i].name);
        if (name == VXT("IBMTRANSFORM"))
            s.printerNumbers[i] = 2;
        else if (name == VXT("IBMFORMFEED") || name == VXT("IBMIGCFEAT"))
            s.printerNumbers[i] = 0;
    }
    const WText path = VariableKeyPath(s, 3);
    for (int i = 0; i < kPrinterVariableCount; ++i) {
        const PrinterVariable& v = kPrinterVariables[i];
        WText text = s.printerTexts[i];
        if (v.number)
            text = s.printerNumbers[i] > 0 && s.printerNumbers[i] < v.limit ? DecimalText(s.printerNumbers[i])
                                                                            : WText();
        reg.SetString(root, path, Widen(v.name), text);
    }
}

void WriteEnvironmentVariables(RegistryStore& reg, WizardSettings& s, bool perUser)
{
    if (s.number[kValueVdumode] != kEmulationIbm5250)
        return;
    const RegRoot root = perUser ? RegRoot::User : ScopeRoot(s);
    if (s.PrinterDevice()) {
        WritePrinterVariables(reg, root, s);
        return;
    }
    for (int i = 0; i < kDisplayVariableCount; ++i) {
        const WText path = VariableKeyPath(s, kDisplayVariables[i].type);
        const WText name = Widen(kDisplayVariables[i].name);
        bool write = !s.displayVariables[i].empty();
        if (perUser) {
            WText machine;
            reg.ReadString(RegRoot::Machine, path, name, machine);
            write = s.displayVariables[i] != machine;
        }
        if (write)
            reg.SetString(root, path, name, s.displayVariables[i]);
        else if (perUser || s.mode == WizardMode::Edit)
            reg.DeleteValue(root, path, name);
    }
}

void ReadLoginScript(RegistryStore& reg, RegRoot root, WizardSettings& s)
{
    const WText path = StartupKeyPath(s.name);
    u32 count = 0;
    WText initiate;
    const bool hasCount = reg.ReadDword(root, path, Widen("iNumEntries"), count);
    const bool hasInitiate = reg.ReadString(root, path, Widen("Initiate"), initiate);
    // The key is also the terminal's start-up options set of this name: without script
    // values it holds no script to replace the one read so far.
    if (!hasCount && !hasInitiate)
        return;
    LoginScript script;
    script.initiate = initiate;
    count = count > kMaxLoginSteps ? kMaxLoginSteps : count;
    for (u32 i = 0; i < count; ++i) {
        LoginStep step;
        reg.ReadString(root, path, IndexedName("WaitFor", i), step.wait);
        if (step.wait.empty() && reg.ReadString(root, path, IndexedName("WaitCond", i), step.wait) &&
            !step.wait.empty())
            step.kind = kLoginStepCondition;
        reg.ReadString(root, path, IndexedName("Response", i), step.response);
        script.steps.push_back(std::move(step));
    }
    s.script = std::move(script);
}

void ReadEnvironmentVariables(RegistryStore& reg, RegRoot root, WizardSettings& s, bool machinePass)
{
    if (s.number[kValueVdumode] != kEmulationIbm5250)
        return;
    if (!s.PrinterDevice()) {
        for (int i = 0; i < kDisplayVariableCount; ++i) {
            if (machinePass)
                s.displayVariables[i].clear();
            WText text;
            if (reg.ReadString(root, VariableKeyPath(s, kDisplayVariables[i].type),
                               Widen(kDisplayVariables[i].name), text) &&
                !text.empty())
                s.displayVariables[i] = text;
        }
        return;
    }
    const WText path = VariableKeyPath(s, 3);
    for (int i = 0; i < kPrinterVariableCount; ++i) {
        const PrinterVariable& v = kPrinterVariables[i];
        WText text;
        const bool found = reg.ReadString(root, path, Widen(v.name), text) && !text.empty();
        if (!v.number) {
            if (machinePass)
                s.printerTexts[i].clear();
            if (found)
                s.printerTexts[i] = text;
            continue;
        }
        if (!found) {
            if (machinePass)
                s.printerNumbers[i] = 0;
            continue;
        }
        i32 n = 0;
        s.printerNumbers[i] = ReadDecimal(text, 0, n) && n >= 0 && n < v.limit ? static_cast<u32>(n) : 0;
    }
}

// A user's script is an override like any value: stored only when it differs from the
// machine's, else the machine's shows through.
void WriteUserLoginScript(RegistryStore& reg, const WizardSettings& s)
{
    WizardSettings machine;
    machine.name = s.name;
    ReadLoginScript(reg, RegRoot::Machine, machine);
    if (!SameScript(machine.script, s.script)) {
        WriteLoginScript(reg, RegRoot::User, s);
        return;
    }
    const WText path = StartupKeyPath(s.name);
    ClearLoginScript(reg, RegRoot::User, path);
    if (reg.KeyExists(RegRoot::User, path) && reg.ValueNames(RegRoot::User, path).empty() &&
        reg.Subkeys(RegRoot::User, path).empty())
        reg.DeleteKey(RegRoot::User, path);
}

}  // namespace

void WizardReadProfile(RegistryStore& reg, WizardSettings& s, bool machinePass)
{
    const RegRoot root = machinePass ? RegRoot::Machine : RegRoot::User;
    if (machinePass) {
        s.present.reset();
        s.startName = s.name;
        s.caption = kCaptionEdit;
    }
    for (int i = 0; i < kWizardValueCount; ++i) {
        const WizardValueId id = static_cast<WizardValueId>(i);
        const WText path = SectionKeyPath(s.name, SectionOf(id));
        if (kWizardValues[i].type == ValueType::Dword) {
            u32 value = 0;
            if (!reg.ReadDword(root, path, ValueName(id), value))
                continue;
            if (machinePass && value != s.number[i])
                s.present.set(i);
            s.number[i] = value;
        } else {
            WText text;
            if (!reg.ReadString(root, path, ValueName(id), text))
                continue;
            if (machinePass && text != s.text[i])
                s.present.set(i);
            s.text[i] = text;
        }
    }
    ReadLoginScript(reg, root, s);
    ReadEnvironmentVariables(reg, root, s, machinePass);
}

void WizardReadEnvironment(RegistryStore& reg, WizardSettings& s)
{
    ReadEnvironmentVariables(reg, RegRoot::Machine, s, true);
    ReadEnvironmentVariables(reg, RegRoot::User, s, false);
}

void CompareWithMachineProfile(RegistryStore& reg, WizardSettings& s)
{
    s.changed.reset();
    for (int i = 0; i < kWizardValueCount; ++i) {
        const WizardValueId id = static_cast<WizardValueId>(i);
        const WText path = SectionKeyPath(s.name, SectionOf(id));
        if (kWizardValues[i].type == ValueType::Dword) {
            u32 machine = static_cast<u32>(kWizardValues[i].factory);
            reg.ReadDword(RegRoot::Machine, path, ValueName(id), machine);
            s.changed[i] = s.number[i] != machine;
        } else {
            WText machine;
            reg.ReadString(RegRoot::Machine, path, ValueName(id), machine);
            s.changed[i] = s.text[i] != machine;
        }
    }
}

void WriteBuildStamp(RegistryStore& reg, u32 stamp)
{
    u32 stored = 0;
    reg.ReadDword(RegRoot::Machine, BuildStampKeyPath(), Widen("Build"), stored);
    if (stored != stamp)
        reg.SetDword(RegRoot::Machine, BuildStampKeyPath(), Widen("Build"), stamp);
}

void WriteFullProfile(RegistryStore& reg, WizardSettings& s, u32 buildStamp)
{
    if (!DeletableName(s.name))
        return;
    const RegRoot root = ScopeRoot(s);
    const bool edit = s.mode == WizardMode::Edit;
    if (!edit)
        DeleteProfileKeys(reg, root, s.name, s.deleteWholeProfile);
    WriteBuildStamp(reg, buildStamp);
    for (int i = 0; i < kWizardValueCount; ++i) {
        const WizardValueId id = static_cast<WizardValueId>(i);
        WriteValue(reg, root, s, id, edit);
        // The NEW-ENVIRON variables follow the Telnet section, the login script ZARA.
        if (id == kValueNewEnvSuppress)
            WriteEnvironmentVariables(reg, s, false);
        else if (id == kValueWyUpssFont)
            WriteLoginScript(reg, root, s);
    }
    reg.Flush(root, SectionKeyPath(s.name, Widen("IBM5250")));
}

void WriteUserOverrides(RegistryStore& reg, WizardSettings& s)
{
    if (!DeletableName(s.name))
        return;
    CompareWithMachineProfile(reg, s);
    for (int i = 0; i < kWizardValueCount; ++i) {
        const WizardValueId id = static_cast<WizardValueId>(i);
        WriteOverride(reg, s, id);
        if (id == kValueNewEnvSuppress)
            WriteEnvironmentVariables(reg, s, true);
        else if (id == kValueWyUpssFont)
            WriteUserLoginScript(reg, s);
    }
    reg.Flush(RegRoot::User, SectionKeyPath(s.name, Widen("IBM5250")));
}

void WizardWriteProfile(RegistryStore& reg, WizardSettings& s, u32 buildStamp)
{
    if (s.userScope && s.mode == WizardMode::Edit)
        WriteUserOverrides(reg, s);
    else
        WriteFullProfile(reg, s, buildStamp);
}

bool CopyProfile(RegistryStore& reg, RegRoot root, const WText& to, const WText& from)
{
    if (!DeletableName(to) || !DeletableName(from) || !reg.KeyExists(root, ProfileKeyPath(from)))
        return false;
    // A profile already stored under the new name is replaced, not mixed with this one.
    if (!SameTextIgnoringCase(to, from))
        reg.DeleteTree(root, ProfileKeyPath(to));
    reg.CreateKey(root, ProfileKeyPath(to));
    return reg.CopyTree(root, ProfileKeyPath(from), ProfileKeyPath(to));
}

bool DeleteProfileKeys(RegistryStore& reg, RegRoot root, const WText& name, bool whole)
{
    if (!DeletableName(name))
        return false;
    const WText path = ProfileKeyPath(name);
    if (whole)
        return reg.DeleteTree(root, path);
    for (const WText& sub : reg.Subkeys(root, path))
        if (!SameTextIgnoringCase(sub, Widen("MACROS")))
            reg.DeleteTree(root, path + VXT("\\") + sub);
    return true;
}

void DeleteLoginScript(RegistryStore& reg, RegRoot root, const WText& name)
{
    if (!DeletableName(name))
        return;
    const WText path = StartupKeyPath(name);
    if (!reg.KeyExists(root, path))
        return;
    for (const WText& value : reg.ValueNames(root, path))
        if (IsLoginScriptValue(value))
            reg.DeleteValue(root, path, value);
    if (reg.ValueNames(root, path).empty() && reg.Subkeys(root, path).empty())
        reg.DeleteKey(root, path);
}

bool DeleteProfile(RegistryStore& reg, RegRoot root, const WText& name, bool whole)
{
    if (!DeletableName(name))
        return false;
    DeleteLoginScript(reg, root, name);
    DeleteProfileKeys(reg, root, name, whole);
    reg.Flush(root, ProfilesKeyPath());
    // Only an empty maker key goes: the registry refuses a key that holds subkeys.
    if (reg.Subkeys(root, ProfilesKeyPath()).empty() && reg.Subkeys(root, MakerKeyPath()).empty())
        reg.DeleteKey(root, MakerKeyPath());
    return true;
}

bool ConnectionExists(RegistryStore& reg, const WText& name)
{
    if (name.empty())
        return false;
    return reg.KeyExists(RegRoot::Machine, ProfileKeyPath(name)) ||
           reg.KeyExists(RegRoot::User, ProfileKeyPath(name)) ||
           reg.KeyExists(RegRoot::Machine, ConnectionKeyPath(name));
}
