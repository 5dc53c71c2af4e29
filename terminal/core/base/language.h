// Texts by numeric id: from the bound language module, else from the program's own
// string table. The module is chosen at start-up among the candidates of
// LanguageModuleTable, found in the configured WorkDir or beside the program, and bound
// again on first use after the language changes.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct LanguageModuleEntry {
    const wchar16* fileName;
    u32 found;  // 1 when the start-up search found the module
};

// The candidates, in the order of the language index (string 15001 + index names the
// language), ended by an entry without a file name.
constexpr int kLanguageModuleCount = 11;
extern LanguageModuleEntry LanguageModuleTable[kLanguageModuleCount + 1];

// The language index in use; -1 when no module was found at start.
extern i32 CurrentLanguageIndex;
// How many candidates the start-up search found; more than one offers a Language menu.
extern u32 FoundLanguageModuleCount;
// The version text of the module checked at start (empty without one), for the About box.
constexpr int kLanguageVersionUnits = 64;
extern wchar16 LanguageModuleVersion[kLanguageVersionUnits];

// Paths handled by the search, terminator included.
constexpr int kLanguagePathUnits = 260;

// Start-up: finds the candidates, asks whether to go on without a module or with one
// whose version differs from the program's. 0 when the user declined.
int BindLanguageModule();

// Loads text `id` into `buffer` (capacity in units, always terminated). Returns the
// number of units, 0 when neither table has the id or the capacity is below 1.
int LoadLanguageString(HINSTANCE instance, u32 id, wchar16* buffer, int capacity);
// The same from the program's own table only, for the few texts that must not follow
// the language module (the program's version and description).
int LoadProgramString(u32 id, wchar16* buffer, int capacity);
// Whether `text` equals, without regard to case, one of the texts firstId..lastId (ids
// without a text are skipped). Also true when none of those ids has a text.
bool IsLanguageStringInRange(const wchar16* text, u32 firstId, u32 lastId);

// The start-up search: marks the candidates found, keeps the current language when its
// module exists, else takes the first found; the count found (0 sets the index to -1).
int FindLanguageModules();
// The directory to search: WorkDir unless `useProgramDirectory`, else (or when WorkDir
// is not set) the program's own directory with its final "\". Its length, 0 when none.
int GetLanguageDirectory(wchar16* buffer, int useProgramDirectory);
// Loads `name` from `directory` (the bare name for an empty directory) and binds it for
// the current language. The module, or nullptr.
HINSTANCE TryLoadLanguageModule(const wchar16* directory, const wchar16* name);
// Binds the current language's module from WorkDir, else from the program's directory.
HINSTANCE LoadLanguageModule();
void FreeLanguageModule();

// directory + "\" (when missing) + name into a buffer of kLanguagePathUnits; false when
// it would not fit.
bool JoinPath(wchar16* path, const wchar16* directory, const wchar16* name);

// Looks for `name` in `directory` (a buffer of kLanguagePathUnits) and, depth first, in
// its subdirectories. 1 with the buffer replaced by the full path of the first match.
// Paths that would not fit are skipped, links are not followed and the search goes at
// most kTreeSearchDepth levels down, so a looping tree cannot run away.
constexpr int kTreeSearchDepth = 16;
int FindFileInTree(wchar16* directory, const wchar16* name);

// The language module index for a Windows language id: its primary language picks
// the module, every language without one gets English (0).
i32 LanguageIndexForLanguageId(u32 languageId);
// "SelectedLanguage" of the program key, machine-wide then per user (2057 when neither
// holds one), as a language module index. The selected registry root is kept.
i32 LoadSelectedLanguage();
