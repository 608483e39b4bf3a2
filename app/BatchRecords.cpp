// Walking the catalogue for a batch.
#include "app/BatchRecords.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "app/CatalogWalk.h"
#include "data/Settings.h"

namespace vormbrace::app {
namespace {

// The dialog script's name of each kind, in kind-tab order.
constexpr const char* kScriptKinds[] = {"bolt", "screw", "setscrew", "washer", "nut"};

}  // namespace

std::vector<BatchRecord> ChooseRecords(AppHost& app, const BatchFilter& filter) {
  LoadLanguage();
  std::optional<std::int16_t> family = FindFamily(filter.family), kind;
  if (!family) throw std::runtime_error("--family: no standards family \"" + filter.family + "\"");
  if (!filter.kind.empty() && !(kind = FindKind(filter.kind))) {
    throw std::runtime_error("--kind: no kind \"" + filter.kind +
                             "\" (bolts, screws, set-screws, washers, nuts or 0-4)");
  }
  std::vector<std::string> captions = ReadFamilyCaptions();
  std::set<std::string> sizesSeen;
  bool standardSeen = false;
  std::vector<BatchRecord> records;
  CatalogWalk walk(*app.host);
  for (std::int16_t k = 0; k < static_cast<std::int16_t>(Kinds().size()); ++k) {
    if (kind && k != *kind) continue;
    const KindInfo& info = Kinds()[k];
    if (filter.type > info.typeCount) {
      if (kind) {
        throw std::runtime_error("--type: kind " + std::string(info.name) + " has types 1 to " +
                                 std::to_string(info.typeCount));
      }
      continue;
    }
    walk.SelectKind(*family, k);
    const bool lengths = std::string(info.lengthWord) == "lengths";
    for (std::int16_t t = 1; t <= info.typeCount; ++t) {
      if (filter.type != 0 && t != filter.type) continue;
      if (!walk.SelectType(t)) continue;
      for (std::int32_t s = 0; s < walk.normativa.ListCount(); ++s) {
        const std::string standard = walk.normativa.List(s);
        if (!filter.standard.empty() && standard != filter.standard) continue;
        standardSeen = true;
        walk.SelectStandard(s);
        for (std::int32_t m = 0; m < walk.misura.ListCount(); ++m) {
          const std::string size = walk.misura.List(m);
          if (!filter.sizes.empty() &&
              std::find(filter.sizes.begin(), filter.sizes.end(), size) == filter.sizes.end()) {
            continue;
          }
          sizesSeen.insert(size);
          walk.SelectSize(m);
          DialogScript script;
          script.family = captions[static_cast<std::size_t>(*family)];
          script.kind = kScriptKinds[k];
          script.type = t;
          script.standard = standard;
          script.size = size;
          if (!lengths || walk.lunghezza.ListCount() == 0) {
            records.push_back({script, standard + " " + size});
            continue;
          }
          for (std::int32_t l = 0; l < walk.lunghezza.ListCount(); ++l) {
            script.length = walk.lunghezza.List(l);
            records.push_back({script, standard + " " + size + "x" + script.length});
          }
        }
      }
    }
  }
  if (walk.Failed()) throw std::runtime_error("a table file cannot be read (see the message)");
  if (!filter.standard.empty() && !standardSeen) {
    throw std::runtime_error("--standard: no standard \"" + filter.standard + "\" among the " +
                             "chosen kinds and types");
  }
  for (const std::string& size : filter.sizes) {
    if (!sizesSeen.count(size)) throw std::runtime_error("--size: no size \"" + size + "\"");
  }
  return records;
}

}  // namespace vormbrace::app
