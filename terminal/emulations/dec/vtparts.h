// Operations of the DEC emulations that the control-sequence tables reach but that
// belong to neighbouring parts of the family: user-defined keys and host macros, pages
// and rectangular areas, local editing and the VT status lines (each in its own file),
// and the cursor save and restore shared with the ANSI console family.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/dec/keysequences.h"

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
int HostMacroBytesInUse();

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

// VT status lines.
void SelectActiveDisplay(int display);
void SelectActiveDisplayCommand();
void SelectStatusDisplayTypeCommand();
void ShowVtEmulationName();
void ShowInsertModeStatus();
void ShowLockStatus();
void ShowEditLockStatus();
void UpdateVtStatusFields();
void InitStatusDisplayState();
bool StatusDisplayActive();
int ActiveStatusDisplay();
int StatusDisplayType();
