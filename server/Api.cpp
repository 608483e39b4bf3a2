// The served page's JSON API.
#include "server/Api.h"

#include <httplib.h>

#include <nlohmann/json.hpp>

#include "front/PartActions.h"
#include "host/RuntimeError.h"
#include "host/occt/Drawing.h"
#include "host/occt/Export.h"
#include "host/reference/Expression.h"
#include "host/reference/SceneFile.h"
#include "server/Choice.h"
#include "server/DialogState.h"
#include "server/RequestError.h"

namespace vormbrace::server {
namespace {

using httplib::Request;
using httplib::Response;
using nlohmann::json;

void SendJson(Response& res, const json& body, int status = 200) {
  res.status = status;
  res.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

// Runs a handler's work and turns every failure into a JSON error the page can show.
template <typename Work>
void Answer(Response& res, Work&& work) {
  try {
    work();
  } catch (const RequestError& e) {
    SendJson(res, {{"error", e.what()}}, e.Status());
  } catch (const front::ActionRefused& e) {
    SendJson(res, {{"error", e.what()}}, 422);
  } catch (const front::ValueError& e) {
    SendJson(res, {{"error", e.what()}}, 400);
  } catch (const host::ref::ExpressionError& e) {
    SendJson(res, {{"error", std::string("expression: ") + e.what()}}, 400);
  } catch (const host::occt::DrawingError& e) {
    SendJson(res, {{"error", e.what()}}, 422);
  } catch (const host::RuntimeError& e) {
    SendJson(res, {{"error", "error " + std::to_string(e.Number()) + ": " + e.Description()}}, 422);
  } catch (const host::occt::ExportError& e) {
    SendJson(res, {{"error", e.what()}}, 422);
  } catch (const std::exception& e) {
    SendJson(res, {{"error", e.what()}}, 500);
  }
}

json Body(const Request& req) {
  json body;
  try {
    body = json::parse(req.body);
  } catch (const json::parse_error& e) {
    BadRequest(std::string("the request is not JSON: ") + e.what());
  }
  if (!body.is_object()) BadRequest("the request must be a JSON object");
  return body;
}

const json& Field(const json& body, const char* name) {
  auto it = body.find(name);
  if (it == body.end()) BadRequest(std::string("the request needs \"") + name + "\"");
  return *it;
}

std::int64_t Whole(const json& body, const char* name) {
  const json& v = Field(body, name);
  if (!v.is_number_integer()) BadRequest(std::string(name) + " must be a whole number");
  return v.get<std::int64_t>();
}

// A part's id (field `name`): 404 for one no scene can hold.
std::int32_t PartId(const json& body, const char* name = "id") {
  const std::int64_t id = Whole(body, name);
  if (id < 1 || id > INT32_MAX) throw RequestError(404, "the scene has no part " + std::to_string(id));
  return static_cast<std::int32_t>(id);
}

host::ref::Vec3 Point(const json& body, const char* name) {
  const json& v = Field(body, name);
  if (!v.is_array() || v.size() != 3) BadRequest(std::string(name) + " must be [x, y, z]");
  return {NumberField(v[0], name), NumberField(v[1], name), NumberField(v[2], name)};
}

// Where a drop goes: {"at": [x, y, z]} with "dir" for a ray into the scene.
DropPlace PlaceOf(const json& body) {
  if (!body.is_object()) BadRequest("drop must be an object {\"at\": [x, y, z], \"dir\": [x, y, z]}");
  DropPlace place{Point(body, "at"), std::nullopt};
  if (body.contains("dir")) place.dir = Point(body, "dir");
  return place;
}

// The clicks carried over from the dialog before it opened on a drop.
const json& Carried(const json& body) {
  static const json none = json::array();
  auto it = body.find("carried");
  return it == body.end() ? none : *it;
}

void SendFile(Response& res, const std::string& bytes, const char* type, const char* name) {
  res.set_content(bytes, type);
  if (name != nullptr) {
    res.set_header("Content-Disposition", std::string("attachment; filename=\"") + name + "\"");
  }
}

}  // namespace

void AddApiRoutes(httplib::Server& server, ApiContext& api) {
  server.Post("/api/dialog", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      json body = Body(req);
      std::lock_guard<std::mutex> guard(api.addIn);
      api.host.ClearMessages();
      // On a part of the scene: the dialog its double-click opens (edit); on a drop: the
      // dialog the drop opens; else a new choice on nothing.
      if (body.contains("edit") && body.contains("drop")) {
        BadRequest("the dialog opens on a part (edit) or on a drop, not on both");
      }
      const json& clicks = Field(body, "clicks");
      json state = body.contains("edit")   ? api.scene.EditDialog(PartId(body, "edit"), clicks)
                   : body.contains("drop") ? api.scene.DropDialog(PlaceOf(body["drop"]),
                                                                  Carried(body), clicks)
                                           : DialogAfterClicks(clicks);
      json messages = json::array();
      for (const auto& m : api.host.Messages()) messages.push_back(m.title + ": " + m.text);
      state["messages"] = messages;
      SendJson(res, state);
    });
  });

  server.Post("/api/preview", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      const DialogScript choice = ChoiceFromJson(Field(Body(req), "choice"));
      const std::string key = ChoiceToJson(choice).dump();
      std::shared_ptr<const Preview> preview = api.previews.Find(key);
      if (!preview) {
        std::lock_guard<std::mutex> guard(api.addIn);
        preview = api.previews.Add(key, BuildPreview(api.host, choice, api.scratch));
      }
      json out = preview->item;
      out["glb"] = "/api/preview/" + std::to_string(preview->id) + ".glb";
      SendJson(res, out);
    });
  });

  server.Get(R"(/api/preview/(\d{1,12})\.glb)", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      std::shared_ptr<const Preview> preview = api.previews.FindById(std::stoll(req.matches[1]));
      if (!preview) throw RequestError(404, "that preview is no longer kept; choose again");
      res.set_header("Cache-Control", "max-age=3600");
      SendFile(res, preview->glb, "model/gltf-binary", nullptr);
    });
  });

  server.Get("/api/scene", [&api](const Request&, Response& res) {
    Answer(res, [&] {
      std::lock_guard<std::mutex> guard(api.addIn);
      json out = api.scene.Parts();
      out["file"] = api.scene.Path();
      SendJson(res, out);
    });
  });

  server.Post("/api/drop", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      // The dialog's choice by name, or its clicks worked on the dialog the drop opens.
      json body = Body(req);
      const std::int64_t version = Whole(body, "version");
      const DropPlace place = PlaceOf(body);
      if (body.contains("clicks") && body.contains("choice")) {
        BadRequest("the drop takes the dialog's choice or its clicks, not both");
      }
      if (body.contains("clicks")) {
        std::lock_guard<std::mutex> guard(api.addIn);
        SendJson(res, api.scene.DropWithClicks(version, place, Carried(body), body["clicks"]));
        return;
      }
      const DialogScript choice = ChoiceFromJson(Field(body, "choice"));
      std::lock_guard<std::mutex> guard(api.addIn);
      SendJson(res, api.scene.Drop(version, choice, place));
    });
  });

  server.Post("/api/pick", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      json body = Body(req);
      const host::ref::Vec3 at = Point(body, "at"), dir = Point(body, "dir");
      std::lock_guard<std::mutex> guard(api.addIn);
      SendJson(res, api.scene.Pick(at, dir));
    });
  });

  server.Post("/api/delete", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      json body = Body(req);
      const std::int64_t version = Whole(body, "version");
      const std::int32_t id = PartId(body);
      std::lock_guard<std::mutex> guard(api.addIn);
      SendJson(res, api.scene.Delete(version, id));
    });
  });

  server.Post("/api/edit", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      json body = Body(req);
      const std::int64_t version = Whole(body, "version");
      const std::int32_t id = PartId(body);
      std::lock_guard<std::mutex> guard(api.addIn);
      SendJson(res, api.scene.Edit(version, id, Field(body, "clicks")));
    });
  });

  // {"length": mm} or {"expression": "2*20+5"}: typed into a bolt's or screw's shank length.
  server.Post("/api/length", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      json body = Body(req);
      const std::int64_t version = Whole(body, "version");
      const std::int32_t id = PartId(body);
      const std::string formula = TextField(body, "expression");
      if (body.contains("length") == !formula.empty()) {
        BadRequest("the request needs either \"length\" or \"expression\"");
      }
      const double length = formula.empty() ? NumberField(body["length"], "length") : 0;
      std::lock_guard<std::mutex> guard(api.addIn);
      SendJson(res, api.scene.TypeLength(version, id, length, formula));
    });
  });

  // The scene view's model; 204 while no part has material.
  server.Get("/api/scene.glb", [&api](const Request&, Response& res) {
    Answer(res, [&] {
      std::lock_guard<std::mutex> guard(api.addIn);
      if (api.scene.Parts()["parts"].empty()) {
        res.status = 204;
        return;
      }
      SendFile(res, api.scene.Export(host::occt::ExportFormat::Glb), "model/gltf-binary", nullptr);
    });
  });

  server.Get("/api/download/scene.svg", [&api](const Request&, Response& res) {
    Answer(res, [&] {
      std::lock_guard<std::mutex> guard(api.addIn);
      SendFile(res, api.scene.Drawing(), "image/svg+xml", "scene.svg");
    });
  });

  server.Get(R"(/api/download/scene\.(step|stl|glb))", [&api](const Request& req, Response& res) {
    Answer(res, [&] {
      const std::string ext = req.matches[1];
      const auto format = host::occt::FormatOf("scene." + ext);
      const char* types[] = {"model/step", "model/stl", "model/gltf-binary"};
      std::lock_guard<std::mutex> guard(api.addIn);
      const std::string name = "scene." + ext;
      SendFile(res, api.scene.Export(format), types[static_cast<int>(format)], name.c_str());
    });
  });
}

}  // namespace vormbrace::server
