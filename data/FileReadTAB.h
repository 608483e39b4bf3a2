// The queries on the standard table files: standards index files, size data files, materials
// lists, tolerance index and tolerance tables. Each streams its file and closes it on return.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/DialogControls.h"

namespace vormbrace {

// Failures are trapped inside each query: it shows a message box naming itself (title: resource
// text 10) and returns; the 16-bit queries return the error number, the Boolean ones false.
//   62 input past end of file: "Error Reading <path>" CR "in <query>" (critical);
//   53 file not found:         "Error Reading File INI" ... "File INI not found" CR "In <query>",
//                              or "Error Reading File" ... "File not found" for the queries on
//                              data and tolerance tables (exclamation);
//   any other:                 "Error <n> <description>" CRLF "in <query>" (critical).
// Format errors: a record with too few quotes or a tolerance line without "|" raise 5, a size
// record with more than 21 fields raises 9.

// The value array: v[i] holds field f(i + 2) of the chosen size data record.
using ValueArray = std::array<double, 21>;

// Fills `list` with F2 of every record in the section "[" n "]" of the standards index file,
// each entry's ItemData being the record's line number (counted from 1). Only the first four
// characters of a line are compared with the header, so type 1 needs "[1]" alone on its line
// and codes above 99 are unreachable. Answers 0, or the error number (62 when the section is
// missing or the file ends inside it).
std::int16_t QNorma(const std::string& indexPath, std::int16_t typeCode, DialogList& list);

// Fills `list` with F2 of every record of the tolerance index file (ItemData: line number).
// Answers 0 when an entry was added, 62 when none was (no message), else the error number.
std::int16_t QNormaHole(const std::string& toleranceIndexPath, DialogList& list);

// As QNormaHole without a message: whether an entry was added; a missing or damaged index
// passes as host::RuntimeError.
bool ReadToleranceIndex(const std::string& toleranceIndexPath, DialogList& list);

// The standard on line `line` of the index file was chosen: its description F3 goes to
// `description`; the size list is filled from its size data file F1 (one entry per group of
// consecutive equal sizes, ItemData = 0-based line index of the group's first line, Tag = F1);
// the materials list from its materials file F5 (Tag = data folder + F5). Messages name the file
// being read at the time: the index path, then F1, then F5.
void QData(const std::string& indexPath, const std::string& dataFolder, std::int32_t line,
           DialogList& sizes, DialogLabel& description, DialogList& materials);

// Fills `lengths` with the lengths (f3, written back as numbers: 8.00 lists as 8) of the size
// group selected in `sizes`, read from data folder + the size list's Tag; ItemData 0, 1, 2, ...
// With no size selected the list is only cleared.
void QLunghezze(const std::string& dataFolder, const DialogList& sizes, DialogList& lengths);

// The record of `sizeKey` whose length f3 is nearest to the number in `lengthText` (the first of
// equally near ones). When found, fills `values` (f2 at index 0 ... fn at n - 2, fn again at
// n - 1) and the part-number text (the field before the last), and answers true. On an error
// neither output changes and the answer is false.
bool QMisuraVariabili(const std::string& dataPath, const std::string& sizeKey,
                      const std::string& lengthText, ValueArray& values,
                      std::string& partNumberText);

// Whether a diameter read from geometry and one from a table are the same: within 1e-6 mm, or
// 1e-9 of the size for large ones (files store a Ø10 hole as 10.000000000000009).
bool SameDiameter(double a, double b);

// The size whose diameter f2 equals `diameter` (exact), or the largest size not above it
// (nearest; records in ascending f2, the first size when the diameter is below all). Exact mode
// answers false with an empty key when none matches; nearest mode answers true. Diameters are
// compared with SameDiameter.
bool QCercaDiametro(const std::string& dataPath, double diameter, bool exact,
                    std::string& sizeKey);

// The first record whose f2 is the same diameter as `diameter`: its size, values and part-number text as in
// QMisuraVariabili. Without a match answers false, `sizeKey` holding the last size read.
bool QDiameterVariabili(const std::string& dataPath, double diameter, std::string& sizeKey,
                        ValueArray& values, std::string& partNumberText);

// The name template F6 and designation F4 of the index record (any line starting with a double
// quote) whose F1 and F2 equal the data file and standard names; unchanged when none does.
void QDesignazione(const std::string& indexPath, const std::string& dataFileKey,
                   const std::string& standardKey, std::string& nameTemplate,
                   std::string& designation);

// The hole allowance for `diameter` from the tolerance table named by F1 on line `line` of the
// tolerance index: the last table line whose diameter is within 0.1 of it. Without a match, or
// on an error, `allowance` keeps the caller's value.
void GetHoleToll(const std::string& toleranceIndexPath, const std::string& toleranceFolder,
                 std::int32_t line, double diameter, double& allowance);

}  // namespace vormbrace
