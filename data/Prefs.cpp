// Writing and reading the preferences file.
#include "data/Prefs.h"

#include <cctype>
#include <cstdio>
#include <optional>

#include "data/Globals.h"
#include "data/NumberText.h"
#include "host/Host.h"
#include "host/SafeFile.h"
#include "host/RuntimeError.h"
#include "host/TextFile.h"
#include "host/Value.h"

namespace vormbrace {
namespace {

// A single-precision number as text: seven significant digits.
std::string SingleText(float value) {
  if (value == 0) return "0";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(value));
  return buf;
}

std::int16_t ToInt16(const std::string& line) { return host::Value::Double(Val(line)).AsInt16(); }

bool ToBool(const std::string& line) {
  std::string t = Trim(line);
  for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (t == "true") return true;
  if (t == "false") return false;
  return host::Value::Text(line).AsBool();  // a number: non-zero is true; other text: error 13
}

// What the dialog changed since `base` was read, over what the file holds now (`theirs`).
DialogPrefs Merged(const DialogPrefs& mine, const DialogPrefs& base, const DialogPrefs& theirs) {
  auto pick = [](const auto& m, const auto& b, const auto& t) { return m == b ? t : m; };
  DialogPrefs out = mine;
  out.left = pick(mine.left, base.left, theirs.left);
  out.top = pick(mine.top, base.top, theirs.top);
  out.createAssembly = pick(mine.createAssembly, base.createAssembly, theirs.createAssembly);
  out.family = pick(mine.family, base.family, theirs.family);
  out.kind = pick(mine.kind, base.kind, theirs.kind);
  if (base.kinds.size() == mine.kinds.size() && theirs.kinds.size() == mine.kinds.size()) {
    for (std::size_t i = 0; i < mine.kinds.size(); ++i)
      out.kinds[i] = pick(mine.kinds[i], base.kinds[i], theirs.kinds[i]);
  }
  out.manualLength = pick(mine.manualLength, base.manualLength, theirs.manualLength);
  out.holeOptions = pick(mine.holeOptions, base.holeOptions, theirs.holeOptions);
  out.fit = pick(mine.fit, base.fit, theirs.fit);
  return out;
}

void WriteLines(host::TextWriter& out, const DialogPrefs& prefs) {
  out.WriteLine(SingleText(prefs.left));
  out.WriteLine(SingleText(prefs.top));
  out.WriteLine(CStr(prefs.createAssembly));
  out.WriteLine(CStr(prefs.family));
  out.WriteLine(CStr(prefs.kind));
  for (const KindMemory& k : prefs.kinds) {
    for (std::int16_t v : {k.typeCode, k.standard, k.size, k.length, k.material}) {
      out.WriteLine(CStr(v));
    }
  }
  out.WriteLine(prefs.manualLength);
  for (bool option : prefs.holeOptions) out.WriteLine(option ? "True" : "False");
  if (prefs.fit != HoleFit::Rule) out.WriteLine(HoleFitName(prefs.fit));
}

}  // namespace

bool WritePrefs(const DialogPrefs& prefs, const DialogPrefs* base) {
  try {
    host::TextWriter out(State().paths.prefsPath);
    std::optional<host::FileLock> lock;
    try {
      lock.emplace(out.Target());
    } catch (const host::SafeFileError&) {
      host::Raise(host::err::kPathFileAccessError);
    }
    DialogPrefs theirs = prefs;
    const bool merge = base != nullptr && ReadPrefs(theirs);
    WriteLines(out, merge ? Merged(prefs, *base, theirs) : prefs);
    out.Commit();
    return true;
  } catch (const host::RuntimeError& e) {
    host::CurrentHost().MsgBox("ERRORE " + CStr(e.Number()) + " " + e.Description(),
                               host::kMsgCritical, kWritePrefsTitle);
    return false;
  }
}

bool ReadPrefs(DialogPrefs& prefs) {
  try {
    host::TextReader in(State().paths.prefsPath);
    prefs.left = static_cast<float>(Val(in.ReadLine()));
    prefs.top = static_cast<float>(Val(in.ReadLine()));
    prefs.createAssembly = ToInt16(in.ReadLine());
    prefs.family = ToInt16(in.ReadLine());
    prefs.kind = ToInt16(in.ReadLine());
    for (KindMemory& k : prefs.kinds) {
      for (std::int16_t* v : {&k.typeCode, &k.standard, &k.size, &k.length, &k.material}) {
        *v = ToInt16(in.ReadLine());
      }
    }
    prefs.manualLength = in.ReadLine();
    for (bool& option : prefs.holeOptions) option = ToBool(in.ReadLine());
    prefs.fit = HoleFit::Rule;
    if (!in.Eof()) prefs.fit = ParseHoleFit(Trim(in.ReadLine())).value_or(HoleFit::Rule);
    return true;
  } catch (const host::RuntimeError&) {
    return false;
  }
}

}  // namespace vormbrace
