// The catalogue walk of the catalog and record commands.
#include "app/CatalogWalk.h"

#include <cctype>

#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/Settings.h"

namespace vormbrace::app {
namespace {

std::optional<std::int16_t> Index(const std::string& text, std::size_t count) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  int i = std::stoi(text);
  if (i >= static_cast<int>(count)) return std::nullopt;
  return static_cast<std::int16_t>(i);
}

}  // namespace

const std::vector<KindInfo>& Kinds() {
  static const std::vector<KindInfo> kinds = {{"bolts", 10, "lengths"},
                                              {"screws", 12, "lengths"},
                                              {"set-screws", 9, "lengths"},
                                              {"washers", 8, "thicknesses"},
                                              {"nuts", 9, "thicknesses"}};
  return kinds;
}

std::optional<std::int16_t> FindFamily(const std::string& text) {
  std::vector<std::string> captions = ReadFamilyCaptions();
  if (auto i = Index(text, captions.size())) return i;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (captions[i] == text) return static_cast<std::int16_t>(i);
  }
  return std::nullopt;
}

std::optional<std::int16_t> FindKind(const std::string& text) {
  if (auto i = Index(text, Kinds().size())) return i;
  for (std::size_t i = 0; i < Kinds().size(); ++i) {
    std::string plural = Kinds()[i].name;
    if (text == plural || text + "s" == plural) return static_cast<std::int16_t>(i);
  }
  return std::nullopt;
}

std::optional<std::int32_t> FindEntry(const DialogList& list, const std::string& text) {
  for (std::int32_t i = 0; i < list.ListCount(); ++i) {
    if (list.List(i) == text) return i;
  }
  return std::nullopt;
}

std::optional<StandardPlace> FindStandard(host::ref::ReferenceHost& host, const std::string& standard,
                                          std::optional<std::int16_t> family) {
  auto folded = [](const std::string& text) {
    std::string f;
    for (char c : text) {
      if (c != ' ') f += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return f;
  };
  // The walk leaves the run-time state as it found it: the dialog opens on the remembered choice.
  const RunTimeState saved = State();
  struct Restore {
    const RunTimeState& saved;
    ~Restore() { State() = saved; }
  } restore{saved};
  const auto families = static_cast<std::int16_t>(ReadFamilyCaptions().size());
  for (std::int16_t f = 0; f < families; ++f) {
    if (family && *family != f) continue;
    for (std::int16_t k = 0; k < static_cast<std::int16_t>(Kinds().size()); ++k) {
      CatalogWalk walk(host);
      walk.SelectKind(f, k);
      for (std::int16_t t = 1; t <= Kinds()[static_cast<std::size_t>(k)].typeCount; ++t) {
        if (!walk.SelectType(t)) continue;
        for (std::int32_t i = 0; i < walk.normativa.ListCount(); ++i) {
          if (folded(walk.normativa.List(i)) == folded(standard)) return StandardPlace{f, k, t};
        }
      }
    }
  }
  return std::nullopt;
}

CatalogWalk::CatalogWalk(host::ref::ReferenceHost& host)
    : host_(host), shownBefore_(host.Messages().size()) {}

void CatalogWalk::SelectKind(std::int16_t family, std::int16_t kind) {
  LoadLanguage();
  State().family = family;
  State().kind = kind;
  LoadKindSettings(kind);
}

std::string CatalogWalk::IndexPath() const {
  return State().paths.standardsFolder + State().paths.indexFile;
}

bool CatalogWalk::SelectType(std::int16_t type) {
  State().typeCode = type;
  return QNorma(IndexPath(), type, normativa) == 0;
}

void CatalogWalk::SelectStandard(std::int32_t entry) {
  normativa.SetListIndex(entry);
  QData(IndexPath(), State().paths.dataFolder, normativa.ItemData(entry), misura, normaDescr,
        materiale);
}

void CatalogWalk::SelectSize(std::int32_t entry) {
  misura.SetListIndex(entry);
  QLunghezze(State().paths.dataFolder, misura, lunghezza);
}

}  // namespace vormbrace::app
