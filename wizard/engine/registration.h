// The wizard's entries for the thin client's connection manager: the client key "ZEZ"
// and one key per connection naming the programs that start, edit and delete it. They
// live under HKEY_LOCAL_MACHINE whoever runs the wizard, since the manager lists only
// those.
#pragma once

#include "wizard/engine/registrystore.h"

// The client key's four values (-R).
void WizardRegisterClient(RegistryStore& reg);
// The connection's seven values; `startLine` is the terminal's command line,
// `keepMacros` whether the wizard itself was started with -M.
void WizardRegisterConnection(RegistryStore& reg, const WText& name, const WText& startLine, bool keepMacros);
// The connection's key and, when it was the last, "Connections". Refuses an empty name.
bool UnregisterConnection(RegistryStore& reg, const WText& name);
// The stored start line of a connection; false when none is stored.
bool ReadStartLine(RegistryStore& reg, const WText& name, WText& line);
