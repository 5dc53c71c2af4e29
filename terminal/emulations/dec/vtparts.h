// Operations of the DEC emulations that the control-sequence tables reach but that
// belong to neighbouring parts of the family: user-defined keys and host macros, pages
// and rectangular areas, local editing and the VT status lines (each in its own file),
// and the cursor save and restore shared with the ANSI console family.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/dec/keys/keysequences.h"

// Cursor save and restore (ESC 7, ESC 8).
void SaveCursorState();
void RestoreCursorState();
struct SavedCursorRecord {
    i16 row, column;
    u8 colour, rendition, flags;
    u8 absoluteAddressing;
    u8 designation[4], set96[4];
    u8 glSet, grSet;
    i8 singleShift;
    u8 pendingWrap;
};
extern SavedCursorRecord SavedCursor;

// User-defined keys, host key strings and macros.
void DefineHostKeyStringType2();
void DefineHostKeyStringType0();
void DefineUserKeys();
void DefineMacro();
void InvokeMacro();
void LoadFunctionKeyDefinitions();
void LoadAlphanumericKeyDefinitions();
bool UserDefinedKeysLocked();
// Bytes of macro memory in use: the stored macros and the copies being replayed.
int HostMacroBytesInUse();
void ClearHostMacros();
// DECUDK of the VT510 class: texts for the PC keys F1-F12.
void DefinePcFunctionKeys();
// One definition of DCS " x (mode 1, function keys) or DCS " y (mode 0, alphanumeric).
void ProgramPcKey(const std::string& definition, int mode);
// Replaces the key definition of (key, shift, kind) with the host's text, sent exactly
// as given; an empty text only removes the old definition.
void ReplaceKeyDefinitionText(u32 keyCode, u32 shift, u32 kind, u32 sendType, const std::u16string& text);

// Pages, screen size and rectangular areas.
void NextPage();
void PrecedingPage();
void PageAbsolute();
void PageRelative();
void PageBackward();
void SetPageLength();
void SetLinesPerScreenCommand();
void ChangeRectangleAttributes();
void ReverseRectangleAttributes();
void CopyRectangle();
void FillRectangle();
void EraseRectangle();
void SelectiveEraseRectangle();
void SelectAttributeChangeExtent();
void InsertColumnsCommand();
void DeleteColumnsCommand();
void ReportRectangleChecksum();
int AttributeChangeExtent();
int LinesPerScreen();

// Local editing and block transmission.
void TransmitEditBlock();
void StartSelectedArea();
void EndSelectedArea();
void StartProtectedArea();
void EndProtectedArea();
void LocalEditFieldCommand();
void SetBlockEndOfLineString();
// The attribute set local editing uses for its fields (bits 1, 2, 4, 8, 16).
int LocalEditAttributeSet();

// VT status lines (statusline.h holds what other emulations of the family use).
void SelectActiveDisplay(int display);
void SelectActiveDisplayCommand();
void SelectStatusDisplayTypeCommand();
bool StatusDisplayActive();
int ActiveStatusDisplay();
int StatusDisplayType();
// The indicator line's fields; each writes its cells and paints them when the line
// shows, and sets the status bar's field.
void UpdateVtStatusFields();
void ShowVtEmulationName();
void ShowInsertModeStatus();
void ShowLockStatus();
void ShowEditLockStatus();
void ShowOnlineStatus();
void ShowPageField();
// The cursor field, when the cursor moved since it was last shown.
void ShowStatusCursor();
void ScheduleStatusCursor();
struct ScreenCell;
// Writes text into the cells of a line slot from a column on, in the indicator's colours.
void WriteIndicatorText(int slot, int column, const wchar16* text);
// value as exactly `digits` decimal digits into consecutive cells.
void FormatDecimalCells(int value, ScreenCell* cells, int digits);
