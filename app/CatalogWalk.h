// Walking the catalogue as the selection dialog does (family and kind tabs, type, standard, size,
// length and material lists) through the table queries, for the catalog and record commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "components/NewVormbrace.h"
#include "dialog/ListControl.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::app {

struct KindInfo {
  const char* name;  // "bolts", "screws", "set-screws", "washers", "nuts"
  std::int16_t typeCount;
  const char* lengthWord;  // what f3 is for the kind: "lengths" or "thicknesses"
};

// The five kinds in kind-tab order.
const std::vector<KindInfo>& Kinds();

// A family by index or by caption; a kind by index or name (singular or plural). Nothing when
// the text names none.
std::optional<std::int16_t> FindFamily(const std::string& text);
std::optional<std::int16_t> FindKind(const std::string& text);

// The index of the list entry with exactly this text.
std::optional<std::int32_t> FindEntry(const DialogList& list, const std::string& text);

class CatalogWalk {
 public:
  explicit CatalogWalk(host::ref::ReferenceHost& host);

  // Whether a query has shown a message (a broken or missing table file) since the walk began.
  bool Failed() const { return host_.Messages().size() > shownBefore_; }

  // The family and kind tabs: loads the language and the kind's paths.
  void SelectKind(std::int16_t family, std::int16_t kind);
  // The type's standards into `normativa` (QNorma); false when the query failed.
  bool SelectType(std::int16_t type);
  // The standard at `entry` of `normativa`: its description, sizes and materials (QData).
  void SelectStandard(std::int32_t entry);
  // The size at `entry` of `misura`: its lengths (QLunghezze).
  void SelectSize(std::int32_t entry);

  std::string IndexPath() const;

  ListControl normativa, misura, lunghezza, materiale;
  LabelControl normaDescr;

 private:
  host::ref::ReferenceHost& host_;
  std::size_t shownBefore_;
};

// The dialog's choices as a walk left them, with the material and manual length given.
class WalkChoices : public DialogChoices {
 public:
  WalkChoices(const CatalogWalk& walk, std::string material, std::string length)
      : walk_(walk), material_(std::move(material)), length_(std::move(length)) {}
  std::string SizeFileName() const override { return walk_.misura.Tag(); }
  std::string SelectedSize() const override { return walk_.misura.Text(); }
  std::string SelectedStandard() const override { return walk_.normativa.Text(); }
  std::string SelectedMaterial() const override { return material_; }
  std::string ManualLength() const override { return length_; }

 private:
  const CatalogWalk& walk_;
  std::string material_, length_;
};

}  // namespace vormbrace::app
