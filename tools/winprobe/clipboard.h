// winprobe's clipboard commands, for tests of copy and paste:
//
//   clip-text                 the CF_UNICODETEXT text and the formats on the clipboard
//   clip-set-text HEX         puts UTF-8 text given in hexadecimal on the clipboard
//   clip-set-file PATH        puts a UTF-8 file's text on the clipboard
//   clip-set-bitmap W H       puts a black bitmap (and nothing else) on the clipboard
//   clip-save-bitmap PATH     writes CF_BITMAP as a 24-bit .bmp file, answers its size
//   clip-hold / clip-release  opens the clipboard and keeps it open / closes it again
//   clip-empty                empties the clipboard
#pragma once

#include <string>
#include <vector>

// True when the words were a clipboard command; the JSON answer in `answer`.
bool ClipboardCommand(const std::vector<std::string>& words, std::string* answer);
