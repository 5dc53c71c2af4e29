// The wizard's texts: the language module the terminal uses (chosen by the
// "SelectedLanguage" value, found in WorkDir or beside the wizard), else the wizard's own
// string table. The wizard refuses to run without a module.
#pragma once

#include <windows.h>

#include <string>

// The language index of "SelectedLanguage" (machine value, then the user's).
int ReadSelectedLanguage();
// Marks the modules found and keeps or replaces the selected index; the count found.
int ProbeLanguageModules(int selected);
// Text `id` (a language string, else the wizard's own); empty when neither has it.
std::wstring WizardLoadString(UINT id);
// The same formatted with one text argument in place of its "%s".
std::wstring WizardFormatString(UINT id, const std::wstring& argument);
void UnloadLanguageModule();
// The language modules found by the probe, by language index (0-10), and the index whose
// module the texts come from; another found index becomes the texts' module.
bool LanguageModuleFound(int index);
int SelectedLanguageModule();
void SelectLanguageModule(int index);
constexpr int kLanguageModuleCount = 11;
