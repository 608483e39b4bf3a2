// The 3D preview of the dialog's choice: the item dropped on nothing in a scene of its own
// (washer and nut with it when ticked; the hole options need a part and are left out), as
// binary glTF, with its name, part number, bill of materials, solid figures and the record's
// value array. Kept by choice, so a choice built before answers at once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>

#include "dialog/DialogPresenter.h"
#include "host/reference/ReferenceHost.h"

namespace vormbrace::server {

struct Preview {
  std::int64_t id = 0;
  nlohmann::json item;  // what the part list shows of the item, "values", "partNumberText"
  std::string glb;
};

class PreviewCache {
 public:
  // The preview of a choice, as the page names it.
  std::shared_ptr<const Preview> Find(const std::string& key);
  std::shared_ptr<const Preview> FindById(std::int64_t id);
  // Keeps it (the oldest goes when kCapacity are kept) and gives it its id.
  std::shared_ptr<const Preview> Add(const std::string& key, Preview preview);

  static constexpr std::size_t kCapacity = 48;

 private:
  std::mutex mutex_;
  std::int64_t nextId_ = 1;
  std::list<std::string> order_;  // oldest first
  std::map<std::string, std::shared_ptr<const Preview>> byKey_;
};

// Builds the preview through the drop road; raises what the drop raises.
Preview BuildPreview(host::ref::ReferenceHost& host, DialogScript choice,
                     const std::filesystem::path& scratch);

}  // namespace vormbrace::server
