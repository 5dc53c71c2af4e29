// The desktop shortcut that starts the terminal on a connection: the current user's
// desktop for a per-user wizard (or Windows 9x), else every user's.
#pragma once

#include <string>

std::wstring DesktopFolder(bool userScope, unsigned osCode);
// `target` with `arguments`, started in `workingDirectory`; replaces an existing link.
bool CreateShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& arguments,
                    const std::wstring& workingDirectory);
void DeleteShortcut(const std::wstring& linkPath);
// The wizard's own directory, with its final "\".
std::wstring OwnDirectory();
