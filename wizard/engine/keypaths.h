// Where the wizard's keys live. Profiles, their sections and the login script follow
// the terminal's layout under "SOFTWARE\Quorlan\vexaNT"; registrations the connection
// manager's under "SOFTWARE\Microsoft\WBT\Clients\Registration".
#pragma once

#include "wizard/engine/wztext.h"

WText ProgramKeyPath();                                         // SOFTWARE\Quorlan\vexaNT
WText ProfilesKeyPath();                                        // ...\Profiles
WText ProfileKeyPath(const WText& name);                        // ...\Profiles\<name>
WText SectionKeyPath(const WText& name, const WText& section);  // ...\Profiles\<name>\<section>
WText StartupKeyPath(const WText& name);                        // ...\vexaNT\Startup,<name>
WText MakerKeyPath();                                           // Software\Quorlan
WText ClientKeyPath();                                          // ...\Registration\ZEZ
WText ConnectionsKeyPath();                                     // ...\ZEZ\Connections
WText ConnectionKeyPath(const WText& name);                     // ...\Connections\<name>
WText BuildStampKeyPath();                                      // Software\Quorlan\vxntconwiz
