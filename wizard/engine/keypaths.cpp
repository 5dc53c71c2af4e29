#include "wizard/engine/keypaths.h"

WText ProgramKeyPath()
{
    return Widen("SOFTWARE\\Quorlan\\vexaNT");
}

WText ProfilesKeyPath()
{
    return ProgramKeyPath() + Widen("\\Profiles");
}

WText ProfileKeyPath(const WText& name)
{
    return ProfilesKeyPath() + VXT("\\") + name;
}

WText SectionKeyPath(const WText& name, const WText& section)
{
    return ProfileKeyPath(name) + VXT("\\") + section;
}

WText StartupKeyPath(const WText& name)
{
    return ProgramKeyPath() + Widen("\\Startup,") + name;
}

WText MakerKeyPath()
{
    return Widen("Software\\Quorlan");
}

WText ClientKeyPath()
{
    return Widen("SOFTWARE\\Microsoft\\WBT\\Clients\\Registration\\ZEZ");
}

WText ConnectionsKeyPath()
{
    return ClientKeyPath() + Widen("\\Connections");
}

WText ConnectionKeyPath(const WText& name)
{
    return ConnectionsKeyPath() + VXT("\\") + name;
}

WText BuildStampKeyPath()
{
    return Widen("Software\\Quorlan\\vxntconwiz");
}
