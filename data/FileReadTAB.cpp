// The table queries: line rules of the two record syntaxes, the first/last/nearest match rules,
// and the error messages every query shows when it traps a failure.
#include "data/FileReadTAB.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string_view>
#include <vector>

#include "data/NumberText.h"
#include "data/Resources.h"
#include "host/Host.h"
#include "host/RuntimeError.h"
#include "host/TextFile.h"

namespace vormbrace {
namespace {

constexpr int kOutOfMemory = 7;

// Which wording the file-not-found message uses.
enum class MissingWording { IndexFile, TableFile };

struct Query {
  const char* name;         // as the end-of-file and other messages name the query
  const char* missingName;  // as the file-not-found message names it
  MissingWording wording;
  std::string endOfFileNote = {};  // appended to the end-of-file message
};

void ShowQueryError(const Query& q, int number, const std::string& description,
                    const std::string& path) {
  std::string text;
  std::int32_t style = host::kMsgCritical;
  if (number == host::err::kInputPastEndOfFile) {
    text = "Error Reading " + path + "\r" + "in " + q.name + q.endOfFileNote;
  } else if (number == host::err::kFileNotFound) {
    const char* what = q.wording == MissingWording::IndexFile ? "File INI" : "File";
    text = std::string("Error Reading ") + what + "\r\n\r\n" + path + "\r\n\r\n" + what +
           " not found" + "\r" + "In " + q.missingName;
    style = host::kMsgExclamation;
  } else {
    text = "Error " + CStr(number) + " " + description + "\r\n" + "in " + q.name;
  }
  host::CurrentHost().MsgBox(text, style, ResText(res::kTitle));
}

// Runs a query's body with its errors trapped: 0, or the number of the error it reported. The
// message names `shownPath` as it stands when the error happens.
template <typename Body>
std::int16_t RunQuery(const Query& q, const std::string& shownPath, Body&& body) {
  try {
    body();
    return 0;
  } catch (const host::RuntimeError& e) {
    ShowQueryError(q, e.Number(), e.Description(), shownPath);
    return static_cast<std::int16_t>(e.Number());
  } catch (const std::bad_alloc&) {
    ShowQueryError(q, kOutOfMemory, "Out of memory", shownPath);
    return kOutOfMemory;
  }
}

// Standards and tolerance index files: every non-empty line not starting with "[" or "#".
bool IsIndexRecord(std::string_view line) {
  return !line.empty() && line[0] != '[' && line[0] != '#';
}

// Size data files and tolerance tables: "#" and "@" lines and lines blank after Trim are not
// records.
bool IsTableRecord(std::string_view line) {
  return !line.empty() && line[0] != '#' && line[0] != '@' &&
         line.find_first_not_of(' ') != std::string_view::npos;
}

// Field k (from 1) of a quoted record: the text between its quotes 2k - 1 and 2k. Error 5 when
// the line has fewer quotes.
std::string QuotedField(std::string_view line, int k) {
  std::size_t open = 0;
  std::size_t pos = 0;
  for (int quote = 1; quote <= 2 * k; ++quote) {
    std::size_t at = line.find('"', pos);
    if (at == std::string_view::npos) host::Raise(host::err::kInvalidProcedureCall);
    if (quote == 2 * k - 1) open = at;
    pos = at + 1;
  }
  return std::string(line.substr(open + 1, pos - open - 2));
}

// The text before the first "|" (the whole line when it has none).
std::string_view FirstField(std::string_view line) { return line.substr(0, line.find('|')); }

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t bar = line.find('|'); bar != std::string_view::npos;
       bar = line.find('|', start)) {
    fields.push_back(line.substr(start, bar - start));
    start = bar + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

// Field k (from 1) of a bar-separated line, "" past the last.
std::string_view BarField(std::string_view line, std::size_t k) {
  std::size_t start = 0;
  for (std::size_t i = 1; i < k; ++i) {
    std::size_t bar = line.find('|', start);
    if (bar == std::string_view::npos) return {};
    start = bar + 1;
  }
  return line.substr(start, line.find('|', start) - start);
}

// Extracts a size data record: the part-number text (the field before the last, kept when the
// line has fewer than two "|"), then f2 ... fn into values 0 ... n - 2 and fn again into n - 1.
// Error 9 for more than 21 fields, before anything is written.
void ExtractRecord(std::string_view line, ValueArray& values, std::string& partNumberText) {
  std::vector<std::string_view> fields = SplitFields(line);
  std::size_t n = fields.size();
  if (n > values.size()) host::Raise(host::err::kSubscriptOutOfRange);
  if (n >= 3) partNumberText = Trim(fields[n - 2]);
  for (std::size_t i = 2; i <= n; ++i) values[i - 2] = Val(fields[i - 1]);
  values[n - 1] = Val(fields[n - 1]);
}

// Reads lines 1 .. line and answers the last one read ("" when line < 1).
std::string ReadRecordLine(host::TextReader& in, std::int32_t line) {
  std::string text;
  for (std::int32_t i = 1; i <= line; ++i) text = in.ReadLine();
  return text;
}

}  // namespace

std::int16_t QNorma(const std::string& indexPath, std::int16_t typeCode, DialogList& list) {
  const Query q{"QNorma", "QNorma", MissingWording::IndexFile,
                "\r\nFieldID [" + Str(typeCode) + "] not found"};
  return RunQuery(q, indexPath, [&] {
    list.Clear();
    host::TextReader in(indexPath);
    const std::string header = "[" + std::to_string(typeCode) + "]";
    std::int32_t number = 0;
    // No end-of-file test: a missing section ends in error 62.
    while (true) {
      std::string line = in.ReadLine();
      ++number;
      if (line.substr(0, 4) == header) break;
    }
    while (true) {
      std::string line = in.ReadLine();
      ++number;
      if (!line.empty() && line[0] == '[') break;
      if (!IsIndexRecord(line)) continue;
      list.AddItem(QuotedField(line, 2));
      list.SetItemData(list.NewIndex(), number);
    }
  });
}

bool ReadToleranceIndex(const std::string& toleranceIndexPath, DialogList& list) {
  list.Clear();
  bool found = false;
  host::TextReader in(toleranceIndexPath);
  for (std::int32_t number = 1; !in.Eof(); ++number) {
    std::string line = in.ReadLine();
    if (!IsIndexRecord(line)) continue;
    list.AddItem(QuotedField(line, 2));
    list.SetItemData(list.NewIndex(), number);
    found = true;
  }
  return found;
}

std::int16_t QNormaHole(const std::string& toleranceIndexPath, DialogList& list) {
  const Query q{"QNormaHole", "QNormaHole", MissingWording::IndexFile};
  bool found = false;
  std::int16_t error =
      RunQuery(q, toleranceIndexPath, [&] { found = ReadToleranceIndex(toleranceIndexPath, list); });
  if (error != 0) return error;
  return found ? 0 : host::err::kInputPastEndOfFile;
}

void QData(const std::string& indexPath, const std::string& dataFolder, std::int32_t line,
           DialogList& sizes, DialogLabel& description, DialogList& materials) {
  const Query q{"QData", "QData", MissingWording::IndexFile};
  std::string path = indexPath;
  RunQuery(q, path, [&] {
    std::string record;
    {
      host::TextReader in(path);
      record = ReadRecordLine(in, line);
    }
    description.SetCaption(QuotedField(record, 3));

    path = QuotedField(record, 1);
    sizes.Clear();
    sizes.SetTag(path);
    {
      host::TextReader in(dataFolder + path);
      std::string previous;
      // A size group is known by the 0-based index of its first line, every line counted.
      for (std::int32_t index = 0; !in.Eof(); ++index) {
        std::string text = in.ReadLine();
        if (!IsTableRecord(text)) continue;
        std::string key = Trim(FirstField(text));
        if (key == previous) continue;
        sizes.AddItem(key);
        sizes.SetItemData(sizes.NewIndex(), index);
        previous = key;
      }
    }

    path = QuotedField(record, 5);
    materials.Clear();
    materials.SetTag(dataFolder + path);
    host::TextReader in(dataFolder + path);
    while (!in.Eof()) {
      std::string text = in.ReadLine();
      if (!text.empty() && text[0] == '#') continue;
      std::string entry = Trim(text);
      if (!entry.empty()) materials.AddItem(entry);
    }
  });
}

void QLunghezze(const std::string& dataFolder, const DialogList& sizes, DialogList& lengths) {
  const Query q{"QLunghezze", "QSpessori", MissingWording::IndexFile};
  const std::string path = dataFolder + sizes.Tag();
  RunQuery(q, path, [&] {
    lengths.Clear();
    if (sizes.ListIndex() < 0) return;
    host::TextReader in(path);
    const std::int32_t group = sizes.ItemData(sizes.ListIndex());
    const std::string selected = sizes.List(sizes.ListIndex());
    std::string text = ReadRecordLine(in, group + 1);
    for (std::int32_t data = 0;;) {
      std::size_t bar = text.find('|');
      if (bar != std::string::npos) {
        if (Trim(std::string_view(text).substr(0, bar)) != selected) break;
        lengths.AddItem(CStr(Val(BarField(text, 3))));
        lengths.SetItemData(lengths.NewIndex(), data++);
      }
      if (in.Eof()) break;
      text = in.ReadLine();
    }
  });
}

bool QMisuraVariabili(const std::string& dataPath, const std::string& sizeKey,
                      const std::string& lengthText, ValueArray& values,
                      std::string& partNumberText) {
  const Query q{"QMisuraVariabili", "QMisuraVariabili", MissingWording::TableFile};
  bool found = false;
  ValueArray stagedValues = values;
  std::string stagedPartNumber = partNumberText;
  std::int16_t error = RunQuery(q, dataPath, [&] {
    host::TextReader in(dataPath);
    const std::string key = Trim(sizeKey);
    const double length = Val(lengthText);
    double best = 9999999999.0;
    std::size_t fieldCount = 0;  // of the table's first record: every record has as many
    for (std::int32_t line = 1; !in.Eof(); ++line) {
      std::string text = in.ReadLine();
      if (!IsTableRecord(text)) continue;
      const std::size_t fields = SplitFields(text).size();
      if (fieldCount == 0) fieldCount = fields;
      if (Trim(FirstField(text)) != key) continue;
      double distance = std::fabs(Val(BarField(text, 3)) - length);
      // Strictly nearer: of equally near records the first one stays.
      if (distance < best) {
        // A record cut short would leave the previous record's values in the array.
        if (fields < fieldCount) {
          throw host::RuntimeError(
              host::err::kInvalidProcedureCall,
              dataPath + ", line " + std::to_string(line) + ": a broken record (" +
                  std::to_string(fields) + " of " + std::to_string(fieldCount) + " fields)");
        }
        best = distance;
        found = true;
        ExtractRecord(text, stagedValues, stagedPartNumber);
        if (best == 0) break;
      }
    }
  });
  if (error != 0) return false;
  values = stagedValues;
  partNumberText = stagedPartNumber;
  return found;
}

bool SameDiameter(double a, double b) {
  return std::fabs(a - b) <= std::max(1e-6, 1e-9 * std::max(std::fabs(a), std::fabs(b)));
}

bool QCercaDiametro(const std::string& dataPath, double diameter, bool exact,
                    std::string& sizeKey) {
  const Query q{"QCercaDiametro", "QCercaDiametro", MissingWording::TableFile};
  bool result = false;
  sizeKey.clear();
  RunQuery(q, dataPath, [&] {
    host::TextReader in(dataPath);
    std::string previous;
    while (!in.Eof()) {
      std::string text = in.ReadLine();
      std::size_t bar = text.find('|');
      if (!IsTableRecord(text) || bar == std::string::npos) continue;
      std::string key = Trim(std::string_view(text).substr(0, bar));
      double value = Val(std::string_view(text).substr(bar + 1));
      if (exact) {
        if (SameDiameter(value, diameter)) {
          sizeKey = key;
          result = true;
          return;
        }
      } else if (value > diameter && !SameDiameter(value, diameter)) {
        // Below the first record the first size is taken.
        sizeKey = previous.empty() ? key : previous;
        result = true;
        return;
      } else {
        previous = key;
      }
    }
    if (!exact) {
      sizeKey = previous;
      result = true;
    }
  });
  return result;
}

bool QDiameterVariabili(const std::string& dataPath, double diameter, std::string& sizeKey,
                        ValueArray& values, std::string& partNumberText) {
  const Query q{"QDiameterVariabili", "QDiameterVariabili", MissingWording::TableFile};
  bool found = false;
  RunQuery(q, dataPath, [&] {
    host::TextReader in(dataPath);
    while (!in.Eof()) {
      std::string text = in.ReadLine();
      std::size_t bar = text.find('|');
      if (!IsTableRecord(text) || bar == std::string::npos) continue;
      sizeKey = Trim(std::string_view(text).substr(0, bar));
      if (!SameDiameter(Val(std::string_view(text).substr(bar + 1)), diameter)) continue;
      ValueArray stagedValues = values;
      std::string stagedPartNumber = partNumberText;
      ExtractRecord(text, stagedValues, stagedPartNumber);
      values = stagedValues;
      partNumberText = stagedPartNumber;
      found = true;
      return;
    }
  });
  return found;
}

void QDesignazione(const std::string& indexPath, const std::string& dataFileKey,
                   const std::string& standardKey, std::string& nameTemplate,
                   std::string& designation) {
  const Query q{"QDesignazione", "QDesignazione", MissingWording::IndexFile};
  RunQuery(q, indexPath, [&] {
    host::TextReader in(indexPath);
    const std::string fileKey = Trim(dataFileKey);
    const std::string standard = Trim(standardKey);
    while (!in.Eof()) {
      std::string text = in.ReadLine();
      if (text.empty() || text[0] != '"') continue;
      if (Trim(QuotedField(text, 1)) != fileKey || Trim(QuotedField(text, 2)) != standard) {
        continue;
      }
      std::string foundDesignation = QuotedField(text, 4);
      std::string foundTemplate = QuotedField(text, 6);
      designation = foundDesignation;
      nameTemplate = foundTemplate;
      return;
    }
  });
}

void GetHoleToll(const std::string& toleranceIndexPath, const std::string& toleranceFolder,
                 std::int32_t line, double diameter, double& allowance) {
  const Query q{"GetHoleToll", "GetHoleToll", MissingWording::TableFile};
  std::string path = toleranceIndexPath;
  double staged = allowance;
  std::int16_t error = RunQuery(q, path, [&] {
    {
      host::TextReader in(path);
      path = QuotedField(ReadRecordLine(in, line), 1);
    }
    host::TextReader in(toleranceFolder + path);
    while (!in.Eof()) {
      std::string text = in.ReadLine();
      if (!IsTableRecord(text)) continue;
      std::size_t bar = text.find('|');
      if (bar == std::string::npos) host::Raise(host::err::kInvalidProcedureCall);
      double d = Val(std::string_view(text).substr(0, bar));
      // The last matching line wins: the scan always reads to the end.
      if (std::fabs(diameter - d) <= 0.1) staged = Val(std::string_view(text).substr(bar + 1));
    }
  });
  if (error == 0) allowance = staged;
}

}  // namespace vormbrace
