// Previews of the dialog's choice.
#include "server/Preview.h"

#include "data/Globals.h"
#include "server/SceneSession.h"

namespace vormbrace::server {

std::shared_ptr<const Preview> PreviewCache::Find(const std::string& key) {
  std::lock_guard<std::mutex> guard(mutex_);
  auto it = byKey_.find(key);
  return it == byKey_.end() ? nullptr : it->second;
}

std::shared_ptr<const Preview> PreviewCache::FindById(std::int64_t id) {
  std::lock_guard<std::mutex> guard(mutex_);
  for (auto& [key, preview] : byKey_) {
    if (preview->id == id) return preview;
  }
  return nullptr;
}

std::shared_ptr<const Preview> PreviewCache::Add(const std::string& key, Preview preview) {
  std::lock_guard<std::mutex> guard(mutex_);
  if (auto it = byKey_.find(key); it != byKey_.end()) return it->second;
  preview.id = nextId_++;
  auto kept = std::make_shared<const Preview>(std::move(preview));
  byKey_[key] = kept;
  order_.push_back(key);
  if (order_.size() > kCapacity) {
    byKey_.erase(order_.front());
    order_.pop_front();
  }
  return kept;
}

Preview BuildPreview(host::ref::ReferenceHost& host, DialogScript choice,
                     const std::filesystem::path& scratch) {
  choice.hole.clear();
  choice.tolerance.clear();
  choice.assembly = false;
  SceneSession scene(host, "", false, scratch);
  nlohmann::json built = scene.Drop(scene.Version(), choice, DropPlace{});
  Preview preview;
  preview.item = {{"parts", built["parts"]},
                  {"values", State().values},
                  {"partNumberText", State().partNumberText}};
  preview.glb = scene.Export(host::occt::ExportFormat::Glb);
  return preview;
}

}  // namespace vormbrace::server
