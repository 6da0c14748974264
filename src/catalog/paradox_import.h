#pragma once
// Import of Paradox tables (.DB with .PX/.MB companions) into the SQLite file
// of a database folder. Records are read with pxlib as raw bytes and every
// field is decoded here, so blank values stay blank and text is converted
// from the chosen code page. Memo and other blob contents live in the .MB
// file, which pxlib cannot read safely: those fields import empty, with a warning.

#include "catalog/field.h"
#include "catalog/schema.h"

#include <string>
#include <vector>

namespace kvf {

struct ParadoxField {
    std::string Name; // UTF-8
    char Type = 'A';  // Paradox letter: A N $ S I # D T @ M B F O G L + Y
    int Length = 0;
    int Decimals = 0;
};

struct ParadoxTable {
    std::string Name; // file name without extension
    int CodePage = 0; // the code page the text was read with
    int HeaderCodePage = 0;
    bool Encrypted = false;
    std::vector<ParadoxField> Fields;
    std::vector<std::vector<Value>> Rows;
    std::vector<std::string> Warnings;
};

// Field kind a Paradox field imports as.
FieldDef ParadoxFieldDef(const ParadoxField& field);

// Reads one table. `codePage` 0 takes the header's code page, or Windows-1251
// when the header names none. Raises KvfError naming the file on failure.
ParadoxTable ReadParadoxTable(const std::string& path, int codePage = 0);

// Decodes one field's bytes (big-endian Paradox encodings); blank gives a blank value.
Value DecodeParadoxValue(const ParadoxField& field, const unsigned char* data, int codePage);

// Text of the bytes in a code page (1251, 866, 437, 850, 1252, ...).
std::string DecodeCodePage(std::string_view bytes, int codePage);

struct ImportedTable {
    std::string Name; // the table name in SQLite
    int Rows = 0;
};

struct ImportResult {
    std::vector<ImportedTable> Tables;
    std::vector<std::string> Warnings;
};

// The .DB files of a folder, sorted by name.
std::vector<std::string> ParadoxTableFiles(const std::string& folder);

// Imports every Paradox table of `paradoxFolder` into <outFolder>/<database file>
// in one transaction; the file is written under a temporary name and renamed
// into place, so a failed import leaves nothing behind. Tables of the database
// land under their own names with their schema; any other table under its file
// name with columns of its own. Raises KvfError on failure.
ImportResult ImportParadoxFolder(const std::string& paradoxFolder, const std::string& outFolder,
                                 DatabaseKind kind, int codePage = 0);

} // namespace kvf
