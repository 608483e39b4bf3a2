// The page's files: the server's own assets and the three.js modules the page imports, read
// once when the server starts and served from memory by their fixed URLs. No request names a
// file: a URL that is not in the table is not found.
#pragma once

#include <map>
#include <string>

namespace vormbrace::server {

struct Asset {
  std::string contentType;
  std::string bytes;
};

class Assets {
 public:
  // The files under `folder` (HTML, CSS, JavaScript, PNG, SVG) by their path below it, "/" for
  // index.html, and three.js's module build, GLTFLoader and OrbitControls under /three/ from
  // `threeFolder`. Raises std::runtime_error naming a file that cannot be read.
  Assets(const std::string& folder, const std::string& threeFolder);

  // nullptr for a URL path that is not an asset.
  const Asset* Find(const std::string& urlPath) const;

 private:
  std::map<std::string, Asset> assets_;
};

// The page's assets beside the installed program (../share/vormbrace/server) or in the source
// tree the program was built from; three.js from Debian's libjs-three.
std::string DefaultAssetsFolder();
std::string DefaultThreeFolder();

}  // namespace vormbrace::server
