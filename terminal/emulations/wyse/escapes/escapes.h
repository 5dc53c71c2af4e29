// The escape-sequence handlers: what each sequence does once the dispatch has picked
// its handler by personality. Every handler pulls its own arguments with
// WyseReadHostByte, so one call consumes the whole sequence; an argument out of range
// ends the sequence with no effect.
#pragma once

void WyseIgnore();

// Cursor, addressing and reports.
void WyseEscIdentify();
void WyseEscAddressCursor();
void WyseEscCursorToPage();
void WyseEscCursorToRow();
void WyseEscCursorToColumn();
void WyseEscAddressDecimal();
void WyseEscReportDecimal();
void WyseEscReportCursor();
void WyseEscReportPageCursor();
void WyseEscHome();
void WyseEscUpperWindow();
void WyseEscLowerWindow();
void WyseEscTab();
void WyseEscBackTab();
void WyseEscClearTabs();
void WyseEscSetTab();
void WyseEscClearTab();
void WyseEscReverseLineFeed();

// Clearing.
void WyseEscClearWithAttribute();
void WyseEscClearScreenNulls();
void WyseEscClearScreenSpaces();
void WyseEscClearScreenProtected();
void WyseEscClearToCharacter();
void WyseEscClearPageNulls();
void WyseEscClearPageSpaces();
void WyseEscClearLineSpaces();
void WyseEscClearLineNulls();
void WyseEscClearPageEndSpaces();
void WyseEscClearPageEndNulls();
// ESC *: protect, write-protect and insert off, the overrides off, the page cleared to NULs.
void WyseClearScreen();

// Editing.
void WyseEscInsertLine();
void WyseEscDeleteLine();
void WyseEscInsertCharacter();
void WyseEscDeleteCharacter();
void WyseEscInsertModeOn();
void WyseEscInsertModeOff();
void WyseEscProtectColumn();

// Modes.
void WyseEscUnlockKeyboard();
void WyseEscLockKeyboard();
void WyseEscProtectOn();
void WyseEscProtectOff();
void WyseEscWriteProtectOff();
void WyseEscWriteProtectOn();
void WyseEscBlockModeOn();
void WyseEscBlockModeOff();
void WyseEscDuplex();
void WyseEscGraphics();
void WyseEscAutoScrollOff();
void WyseEscAutoScrollOn();
void WyseEscMonitorOn();
void WyseEscLocalEditOn();
void WyseEscLocalEditOff();
void WyseEscReverseScreen();
void WyseEscScreenFeatures();

// Sending and printing.
void WyseEscSendLineUnprotected();
void WyseEscSendPageUnprotected();
void WyseEscSendLine();
void WyseEscSendPage();
void WyseEscMarkStart();
void WyseEscMarkEnd();
void WyseEscSendMarked();
void WyseEscSendMarkedAll();
void WyseEscSendCharacter();
void WyseEscPrintRegionCrLf();
void WyseEscPrintRegion();
void WyseEscPrintControl();

// Set-up, modes and personalities.
void WyseEscSetup();
void WyseEscModes();
void WyseEscPersonality();

// Pages and windows.
void WyseEscPreviousPage();
void WyseEscNextPage();
void WyseEscPages();
void WyseEscSplit();

// Labels, the status message and key definitions.
void WyseEscLabelText();
void WyseEscLabelsOn();
void WyseEscLabelsOff();
void WyseEscLabels();
void WyseEscDefineKey();
void WyseEscStatusMessage();

// Attributes and colours.
void WyseEscVideoAttribute();
void WyseEscMessageAttribute();
void WyseEscColourCode();
void WyseEscProgramColour();

// The TeleVideo and ADDS handlers of their own.
void WyseTviEscBlank();
void WyseTviEscPlus();
void WyseTviEscPeriod();
void WyseTviEscGraphicsOn();
void WyseTviEscGraphicsOff();
void WyseTviControllerWithDisplay();
void WyseTviEscDisplayOn();
void WyseTviEscDisplayOff();
void WyseTviEscPrintPage();
void WyseTviEscCaret();
void WyseTviEscUnderscore();
void WyseTviEscJ();
void WyseTviEscK();
void WyseTviEscL();
void WyseTviEscM();
void WyseTviEscQ();
void WyseTviEscP();
void WyseTviEscAutoPageOn();
void WyseTviEscAutoPageOff();
void WyseTviEscX();
void WyseAddsEscAttribute();
