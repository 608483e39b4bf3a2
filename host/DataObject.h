// Data objects attached to a shape under a GUID: the attribute list (Name/Value entries) and
// the description record (Description, PartNumber) of the bill of materials.
#pragma once

#include <cstdint>
#include <string>

namespace host {

inline constexpr const char* kAttributeListGuid = "{3DE10049-922D-11CF-AC2E-00A024581E5C}";
inline constexpr const char* kDescriptionGuid = "{3DE1004A-922D-11CF-AC2E-00A024581E5C}";

class DataObject {
 public:
  virtual ~DataObject() = default;
  // Attribute list entries, 1-based.
  virtual std::int32_t Count() const = 0;
  virtual std::string EntryName(std::int32_t index) const = 0;
  virtual std::string EntryValue(std::int32_t index) const = 0;
  virtual void SetEntryValue(std::int32_t index, const std::string& value) = 0;
  virtual void Add(const std::string& name, const std::string& value) = 0;
  virtual void Remove(std::int32_t index) = 0;
  // Description record.
  virtual std::string Description() const = 0;
  virtual void SetDescription(const std::string& text) = 0;
  virtual std::string PartNumber() const = 0;
  virtual void SetPartNumber(const std::string& text) = 0;
};

}  // namespace host
