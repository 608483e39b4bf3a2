// Binary glTF 2.0: one mesh per distinct part (a primitive for its plain faces and one per
// textured thread), one node per placement under nodes for the assemblies, a PBR material
// per look, and the thread images embedded. Metres and Y up, as glTF wants.
#include <BRepAdaptor_Surface.hxx>
#include <BRep_Tool.hxx>
#include <ElSLib.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>

#include "host/TextFile.h"
#include "host/occt/ExportWriters.h"

namespace host::occt {
namespace {

using nlohmann::json;

constexpr double kMetresPerMillimetre = 0.001;
constexpr int kFloat = 5126, kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962, kElementArrayBuffer = 34963;
// At most how much a threaded face's colour is brightened to make up for its image.
constexpr double kThreadImageGain = 4;
constexpr int kRepeat = 10497, kLinear = 9729, kLinearMipmapLinear = 9987;

// Triangles of faces gathered for one primitive: positions in metres, unit normals, texture
// coordinates (textured primitives only) and indices.
struct Primitive {
  std::vector<float> positions, normals, uvs;
  std::vector<std::uint32_t> indices;
};

// How a thread image wraps a face: the image spans `width` mm round the axis and `height` mm
// along it, measured on the face's own cylinder.
struct Wrap {
  double width = 0, height = 0;
};

// A frame that moves nothing (to rounding): glTF wants no matrix then.
bool MovesNothing(const gp_Trsf& t) {
  for (int r = 1; r <= 3; ++r) {
    for (int c = 1; c <= 4; ++c) {
      if (std::abs(t.Value(r, c) - (r == c ? 1.0 : 0.0)) > 1e-12) return false;
    }
  }
  return true;
}

void AddFace(const TopoDS_Face& face, const Wrap* wrap, Primitive& out) {
  TopLoc_Location location;
  const Handle(Poly_Triangulation)& mesh = BRep_Tool::Triangulation(face, location);
  if (mesh.IsNull() || mesh->NbTriangles() == 0) return;
  const gp_Trsf& at = location.Transformation();
  const auto first = static_cast<std::uint32_t>(out.positions.size() / 3);
  const int nodes = mesh->NbNodes();
  std::vector<gp_Pnt> points(static_cast<std::size_t>(nodes));
  for (int i = 1; i <= nodes; ++i) {
    gp_Pnt p = mesh->Node(i).Transformed(at);
    points[static_cast<std::size_t>(i - 1)] = p;
    for (double c : {p.X(), p.Y(), p.Z()}) {
      out.positions.push_back(static_cast<float>(c * kMetresPerMillimetre));
    }
  }
  // Normals: the area-weighted mean of the node's triangles, so each face stays smooth and
  // the edges between faces stay sharp.
  std::vector<gp_Vec> normals(static_cast<std::size_t>(nodes), gp_Vec(0, 0, 0));
  const bool reversed = face.Orientation() == TopAbs_REVERSED;
  for (int t = 1; t <= mesh->NbTriangles(); ++t) {
    int a = 0, b = 0, c = 0;
    mesh->Triangle(t).Get(a, b, c);
    if (reversed) std::swap(b, c);
    gp_Vec n = gp_Vec(points[a - 1], points[b - 1]).Crossed(gp_Vec(points[a - 1], points[c - 1]));
    for (int i : {a, b, c}) {
      normals[static_cast<std::size_t>(i - 1)] += n;
      out.indices.push_back(first + static_cast<std::uint32_t>(i - 1));
    }
  }
  for (gp_Vec& n : normals) {
    n = n.Magnitude() > 0 ? n.Normalized() : gp_Vec(0, 0, 1);
    for (double c : {n.X(), n.Y(), n.Z()}) out.normals.push_back(static_cast<float>(c));
  }
  if (wrap == nullptr) return;
  BRepAdaptor_Surface surface(face, Standard_False);
  gp_Cylinder cylinder = surface.Cylinder();
  for (int i = 1; i <= nodes; ++i) {
    // The cylinder's parameters: u the angle round the axis, v the distance along it.
    double u = 0, v = 0;
    if (mesh->HasUVNodes()) {
      mesh->UVNode(i).Coord(u, v);
    } else {
      ElSLib::Parameters(cylinder, mesh->Node(i), u, v);
    }
    out.uvs.push_back(static_cast<float>(u * cylinder.Radius() / wrap->width));
    out.uvs.push_back(static_cast<float>(v / wrap->height));
  }
}

class GlbBuilder {
 public:
  explicit GlbBuilder(const ExportModel& model) {
    gltf_["asset"] = {{"version", "2.0"}, {"generator", "Vormbrace"}};
    std::vector<int> meshes;
    for (const DistinctPart& part : model.parts) meshes.push_back(Mesh(part));
    // Scene millimetres with Z up turn into metres with Y up: a quarter turn about X.
    json root = {{"name", model.root.name},
                 {"rotation", {-std::sqrt(0.5), 0.0, 0.0, std::sqrt(0.5)}},
                 {"children", json::array()}};
    for (const ExportNode& child : model.root.children) {
      root["children"].push_back(Node(child, meshes));
    }
    gltf_["nodes"].push_back(root);
    gltf_["scenes"] = json::array({{{"nodes", {gltf_["nodes"].size() - 1}}}});
    gltf_["scene"] = 0;
  }

  // The whole file.
  std::string Bytes() {
    gltf_["buffers"] = json::array({{{"byteLength", binary_.size()}}});
    // JSON is UTF-8: a name's byte that starts no UTF-8 character (a name given on the command
    // line) is written as the replacement character rather than failing the export.
    std::string text = gltf_.dump(-1, ' ', false, json::error_handler_t::replace);
    text.resize((text.size() + 3) / 4 * 4, ' ');
    std::string out;
    auto word = [&out](std::uint32_t w) { out.append(reinterpret_cast<const char*>(&w), 4); };
    out = "glTF";
    word(2);
    word(static_cast<std::uint32_t>(12 + 8 + text.size() + 8 + binary_.size()));
    word(static_cast<std::uint32_t>(text.size()));
    word(0x4E4F534A);  // JSON
    out += text;
    word(static_cast<std::uint32_t>(binary_.size()));
    word(0x004E4942);  // BIN
    out += binary_;
    return out;
  }

 private:
  int View(const void* data, std::size_t size, int target) {
    json view = {{"buffer", 0}, {"byteOffset", binary_.size()}, {"byteLength", size}};
    if (target != 0) view["target"] = target;
    binary_.append(static_cast<const char*>(data), size);
    binary_.resize((binary_.size() + 3) / 4 * 4, '\0');
    gltf_["bufferViews"].push_back(view);
    return static_cast<int>(gltf_["bufferViews"].size() - 1);
  }

  template <typename T>
  int Accessor(const std::vector<T>& values, int components, const char* type, int target,
               bool bounds = false) {
    int view = View(values.data(), values.size() * sizeof(T), target);
    json accessor = {{"bufferView", view},
                     {"componentType", std::is_same_v<T, float> ? kFloat : kUnsignedInt},
                     {"count", values.size() / static_cast<std::size_t>(components)},
                     {"type", type}};
    if (bounds) {
      std::vector<float> lo(static_cast<std::size_t>(components), INFINITY);
      std::vector<float> hi(static_cast<std::size_t>(components), -INFINITY);
      for (std::size_t i = 0; i < values.size(); ++i) {
        std::size_t c = i % static_cast<std::size_t>(components);
        lo[c] = std::min(lo[c], static_cast<float>(values[i]));
        hi[c] = std::max(hi[c], static_cast<float>(values[i]));
      }
      accessor["min"] = lo;
      accessor["max"] = hi;
    }
    gltf_["accessors"].push_back(accessor);
    return static_cast<int>(gltf_["accessors"].size() - 1);
  }

  // The texture of an image file, added once; -1 when the file cannot be read (the faces then
  // keep their plain look).
  int Texture(const std::string& path) {
    auto known = textures_.find(path);
    if (known != textures_.end()) return known->second;
    std::ifstream in(NativePath(path), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string ext = path.substr(path.find_last_of('.') + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return c | 0x20; });
    const char* mime = ext == "png" ? "image/png" : "image/jpeg";
    int texture = -1;
    if (!bytes.empty()) {
      if (!gltf_.contains("samplers")) {
        gltf_["samplers"].push_back({{"wrapS", kRepeat},
                                     {"wrapT", kRepeat},
                                     {"magFilter", kLinear},
                                     {"minFilter", kLinearMipmapLinear}});
      }
      gltf_["images"].push_back(
          {{"bufferView", View(bytes.data(), bytes.size(), 0)}, {"mimeType", mime}});
      gltf_["textures"].push_back({{"sampler", 0}, {"source", gltf_["images"].size() - 1}});
      texture = static_cast<int>(gltf_["textures"].size() - 1);
    }
    textures_.emplace(path, texture);
    return texture;
  }

  int Material(const Appearance& look, int texture) {
    std::string key = look.name + '\n' + std::to_string(texture);
    auto known = materials_.find(key);
    if (known != materials_.end()) return known->second;
    std::array<double, 3> colour = look.colour;
    if (texture >= 0) {
      // The grey thread image multiplies the colour and carries the brightness (the shipped
      // one averages about a quarter in linear light): the colour is brightened, hue kept, so
      // that the thread does not read darker than the plain faces of the same metal.
      double top = std::max({colour[0], colour[1], colour[2]});
      double gain = top > 0 ? std::min(1 / top, kThreadImageGain) : 1;
      for (double& c : colour) c *= gain;
    }
    json pbr = {{"baseColorFactor", {colour[0], colour[1], colour[2], 1.0}},
                {"metallicFactor", look.metallic},
                {"roughnessFactor", look.roughness}};
    if (texture >= 0) pbr["baseColorTexture"] = {{"index", texture}};
    gltf_["materials"].push_back(
        {{"name", texture >= 0 ? look.name + " thread" : look.name},
         {"pbrMetallicRoughness", pbr}});
    int index = static_cast<int>(gltf_["materials"].size() - 1);
    materials_.emplace(key, index);
    return index;
  }

  json PrimitiveOf(const Primitive& p, int material) {
    json attributes = {
        {"POSITION", Accessor(p.positions, 3, "VEC3", kArrayBuffer, true)},
        {"NORMAL", Accessor(p.normals, 3, "VEC3", kArrayBuffer)}};
    if (!p.uvs.empty()) attributes["TEXCOORD_0"] = Accessor(p.uvs, 2, "VEC2", kArrayBuffer);
    return {{"attributes", attributes},
            {"indices", Accessor(p.indices, 1, "SCALAR", kElementArrayBuffer)},
            {"material", material}};
  }

  // The mesh of a distinct part; -1 when it has no triangles.
  int Mesh(const DistinctPart& part) {
    static const Appearance kUncoloured{"Uncoloured", {0.6, 0.6, 0.6}, 0.5, 0.5};
    const Appearance& look = part.look ? *part.look : kUncoloured;
    TopTools_IndexedMapOfShape faces;
    TopExp::MapShapes(part.solid, TopAbs_FACE, faces);
    // Faces of a thread whose image is readable get their own primitive each.
    std::map<int, std::pair<Wrap, int>> textured;
    for (const ThreadedFace& t : part.threads) {
      int texture = Texture(t.image);
      if (texture >= 0) textured.emplace(t.face, std::make_pair(Wrap{t.width, t.height}, texture));
    }
    Primitive plain;
    json primitives = json::array();
    for (int i = 1; i <= faces.Extent(); ++i) {
      auto thread = textured.find(i);
      if (thread == textured.end()) {
        AddFace(TopoDS::Face(faces(i)), nullptr, plain);
        continue;
      }
      Primitive p;
      AddFace(TopoDS::Face(faces(i)), &thread->second.first, p);
      if (!p.indices.empty()) {
        primitives.push_back(PrimitiveOf(p, Material(look, thread->second.second)));
      }
    }
    if (!plain.indices.empty()) primitives.push_back(PrimitiveOf(plain, Material(look, -1)));
    if (primitives.empty()) return -1;
    json mesh = {{"name", part.name}, {"primitives", primitives}};
    json extras = {{"material", look.name}};
    if (!part.partNumber.empty()) extras["partNumber"] = part.partNumber;
    if (!part.description.empty()) extras["description"] = part.description;
    mesh["extras"] = extras;
    gltf_["meshes"].push_back(mesh);
    return static_cast<int>(gltf_["meshes"].size() - 1);
  }

  // Adds the node of a placement or an assembly and answers its index.
  int Node(const ExportNode& node, const std::vector<int>& meshes) {
    json out = {{"name", node.name}};
    if (!MovesNothing(node.frame)) {
      json matrix = json::array();
      for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
          double v = r == 4 ? (c == 4 ? 1.0 : 0.0) : node.frame.Value(r, c);
          matrix.push_back(c == 4 && r < 4 ? v * kMetresPerMillimetre : v);
        }
      }
      out["matrix"] = matrix;
    }
    if (node.part >= 0 && meshes[static_cast<std::size_t>(node.part)] >= 0) {
      out["mesh"] = meshes[static_cast<std::size_t>(node.part)];
    }
    std::vector<int> children;
    for (const ExportNode& child : node.children) children.push_back(Node(child, meshes));
    if (!children.empty()) out["children"] = children;
    gltf_["nodes"].push_back(out);
    return static_cast<int>(gltf_["nodes"].size() - 1);
  }

  json gltf_ = json::object();
  std::string binary_;
  std::map<std::string, int> textures_, materials_;
};

}  // namespace

bool WriteGlb(const ExportModel& model, const std::string& file) {
  std::string bytes = GlbBuilder(model).Bytes();
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace host::occt
