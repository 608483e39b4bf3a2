// The records a catalogue batch writes: every size and length of the chosen family, kinds,
// types and standards, as the selection dialog's choices that build each.
#pragma once

#include <string>
#include <vector>

#include "app/AppHost.h"
#include "front/AddInRun.h"

namespace vormbrace::app {

struct BatchFilter {
  std::string family;  // caption or index; required
  std::string kind;    // empty: every kind
  int type = 0;        // 0: every type
  std::string standard;
  std::vector<std::string> sizes;  // empty: every size
};

struct BatchRecord {
  DialogScript script;
  std::string label;  // "ISO 4017 M10x50": what the record is, for messages
};

// The records the filter chooses, in catalogue order. Raises std::runtime_error naming the
// option at fault when a family, kind, type, standard or size is not in the catalogue, and when
// a table file cannot be read.
std::vector<BatchRecord> ChooseRecords(AppHost& app, const BatchFilter& filter);

}  // namespace vormbrace::app
