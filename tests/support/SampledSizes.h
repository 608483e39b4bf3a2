// A walk over the shipped library: every standard of one family and kind at its smallest, middle
// and largest size, each at a chosen one of that size's lengths, with the record's values read
// into State() as the dialog reads them before a drop.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/NumberText.h"
#include "data/Settings.h"
#include "dialog/ListControl.h"

namespace vormbrace::test {

enum class SampledLength { First, Middle, Longest };

struct SampledSize {
  std::int16_t type;
  std::string standard;  // as the standards list shows it
  std::string file;      // the size data file, inside the data folder
  std::string what;      // "standard sizexlength", for failure messages
  ValueArray values;
};

// Calls visit(const SampledSize&) for each sampled size of every type of `kind` (or only of
// `onlyType` when it is not 0); answers how many were visited. Needs the standards' settings.
template <class Visit>
int VisitSampledSizes(std::int16_t family, std::int16_t kind, SampledLength pick, Visit&& visit,
                      std::int16_t onlyType = 0) {
  static constexpr std::int16_t kTypeCount[kKindCount] = {10, 12, 9, 8, 9};
  State().family = family;
  LoadKindSettings(kind);
  const Paths& p = State().paths;
  int visited = 0;
  for (std::int16_t type = 1; type <= kTypeCount[kind]; ++type) {
    if (onlyType != 0 && type != onlyType) continue;
    ListControl standards;
    QNorma(p.standardsFolder + p.indexFile, type, standards);
    for (std::int32_t s = 0; s < standards.ListCount(); ++s) {
      ListControl sizes, materials, lengths;
      LabelControl description;
      QData(p.standardsFolder + p.indexFile, p.dataFolder, standards.ItemData(s), sizes,
            description, materials);
      const std::int32_t n = sizes.ListCount();
      for (std::int32_t z : std::set<std::int32_t>{0, n / 2, n - 1}) {
        sizes.SetListIndex(z);
        QLunghezze(p.dataFolder, sizes, lengths);
        std::string length;
        if (lengths.ListCount() > 0) {
          length = lengths.List(pick == SampledLength::Middle ? lengths.ListCount() / 2 : 0);
        }
        for (std::int32_t l = 1; pick == SampledLength::Longest && l < lengths.ListCount(); ++l) {
          if (Val(lengths.List(l)) > Val(length)) length = lengths.List(l);
        }
        SampledSize sample{type, standards.List(s), sizes.Tag(),
                           standards.List(s) + " " + sizes.Text() + "x" + length, {}};
        State().kind = kind;
        State().typeCode = type;
        std::string partNumber;
        bool found = QMisuraVariabili(p.dataFolder + sizes.Tag(), sizes.Text(), length,
                                      sample.values, partNumber);
        EXPECT_TRUE(found) << sample.what;
        if (!found) continue;
        State().values = sample.values;
        State().partNumberText = partNumber;
        visit(static_cast<const SampledSize&>(sample));
        ++visited;
      }
    }
  }
  return visited;
}

}  // namespace vormbrace::test
