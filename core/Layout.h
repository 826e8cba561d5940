#pragma once

// Where things lie in the radio's 4096-byte memory: 256 rows of 16 bytes,
// byte c of row r at address 16 * r + c.
constexpr int RadioRows = 256;
constexpr int RowBytes = 16;

// Where the regions of the radio memory lie.
namespace Region {
constexpr int FirstChannelRow = 1;      // channel n in row n
constexpr int LastChannelRow = 128;
constexpr int VfoRow = 130;
constexpr int NameTableFirstRow = 160;  // 5-byte names of the channel editor
constexpr int NameTableLastRow = 199;
constexpr int MagicRow = 220;
constexpr int RangeRow = 250;           // working frequency range
constexpr int SignatureRow = 251;
constexpr int GeneralRow = 252;         // general option settings
constexpr int FmPresetRow = 253;
constexpr int DtmfRow = 254;
constexpr int PowerRow = 255;           // transmit power adjustment
constexpr int FirstUsedChannelByte = 7; // in the general row
constexpr int Empty = 255;              // unprogrammed memory
} // namespace Region
