// vormbrace catalog: what the catalogue offers (families, kinds, types, standards, sizes,
// lengths, materials, hole tolerances) read through the table queries, or the resolved settings.
#include <iostream>
#include <memory>

#include "app/CatalogWalk.h"
#include "app/Commands.h"
#include "app/SettingsReport.h"
#include "data/FileReadTAB.h"
#include "data/Globals.h"
#include "data/Settings.h"

namespace vormbrace::app {
namespace {

struct CatalogOptions {
  bool settings = false;
  std::string family, kind, standard, size;
  int type = 0;  // 0: every type
};

std::string Joined(const DialogList& list) {
  std::string text;
  for (std::int32_t i = 0; i < list.ListCount(); ++i) text += (i > 0 ? ", " : "") + list.List(i);
  return text.empty() ? "(none)" : text;
}

int Refuse(const std::string& why) {
  std::cerr << "vormbrace catalog: " << why << "\n";
  return 1;
}

// Whether a narrowing option lets `text` through.
bool Passes(const std::string& option, const std::string& text) {
  return option.empty() || option == text;
}

int ListCatalog(AppHost& app, const CatalogOptions& o) {
  LoadLanguage();
  std::vector<std::string> families = ReadFamilyCaptions();
  std::optional<std::int16_t> family, kind;
  if (!o.family.empty() && !(family = FindFamily(o.family))) {
    return Refuse("no standards family \"" + o.family + "\"");
  }
  if (!o.kind.empty() && !(kind = FindKind(o.kind))) {
    return Refuse("no kind \"" + o.kind + "\" (bolts, screws, set-screws, washers, nuts or 0-4)");
  }
  if (o.type != 0 && kind && o.type > Kinds()[*kind].typeCount) {
    return Refuse("kind " + std::string(Kinds()[*kind].name) + " has types 1 to " +
                  std::to_string(Kinds()[*kind].typeCount));
  }

  CatalogWalk walk(*app.host);
  bool standardSeen = false, sizeSeen = false;
  std::ostream& out = std::cout;
  for (std::int16_t f = 0; f < static_cast<std::int16_t>(families.size()); ++f) {
    if (family && f != *family) continue;
    out << "family " << f << " \"" << families[f] << "\"\n";
    if (!kind && o.type == 0 && o.standard.empty() && o.size.empty()) {
      walk.SelectKind(f, 0);
      ListControl tolerances;
      QNormaHole(State().paths.toleranceIndex, tolerances);
      out << "  hole tolerances: " << Joined(tolerances) << "\n";
    }
    for (std::int16_t k = 0; k < static_cast<std::int16_t>(Kinds().size()); ++k) {
      if (kind && k != *kind) continue;
      const KindInfo& info = Kinds()[k];
      if (o.type > info.typeCount) continue;
      walk.SelectKind(f, k);
      out << "  kind " << k << " " << info.name << "\n";
      for (std::int16_t t = 1; t <= info.typeCount; ++t) {
        if (o.type != 0 && t != o.type) continue;
        if (!walk.SelectType(t)) {
          out << "    type " << t << ": unreadable, see the message\n";
          continue;
        }
        if (walk.normativa.ListCount() == 0) {
          out << "    type " << t << ": no standards\n";
          continue;
        }
        out << "    type " << t << "\n";
        for (std::int32_t s = 0; s < walk.normativa.ListCount(); ++s) {
          if (!Passes(o.standard, walk.normativa.List(s))) continue;
          standardSeen = true;
          walk.SelectStandard(s);
          out << "      standard \"" << walk.normativa.List(s)
              << "\": " << walk.normaDescr.Caption() << "\n";
          out << "        size data file: " << walk.misura.Tag() << "\n";
          out << "        materials: " << Joined(walk.materiale) << "\n";
          for (std::int32_t m = 0; m < walk.misura.ListCount(); ++m) {
            if (!Passes(o.size, walk.misura.List(m))) continue;
            sizeSeen = true;
            walk.SelectSize(m);
            out << "        size " << walk.misura.List(m) << ": " << info.lengthWord << " "
                << Joined(walk.lunghezza) << "\n";
          }
        }
      }
    }
  }
  if (!o.standard.empty() && !standardSeen) return Refuse("no standard \"" + o.standard + "\"");
  if (!o.size.empty() && !sizeSeen) return Refuse("no size \"" + o.size + "\"");
  return walk.Failed() ? 1 : 0;
}

}  // namespace

void AddCatalogCommand(CLI::App& cli, CommandTable& commands) {
  auto o = std::make_shared<CatalogOptions>();
  CLI::App* catalog = cli.add_subcommand(
      "catalog",
      "List what the catalogue offers, read through the add-in's table queries: standards "
      "families with their hole tolerance classes, fastener kinds, types, the standards of each "
      "type (name and description), "
      "their size data file, materials, sizes and the lengths (or thicknesses) of each size. "
      "Messages about broken table files go to standard error and make the exit status 1.");
  CLI::Option* settings =
      catalog->add_flag("--settings", o->settings)
          ->description(
              "Print the resolved settings instead: language, application folder, standards "
              "families, each kind's data folder and index file, tolerance files, "
              "preferences file and thread texture");
  catalog->add_option("--family", o->family, "Only this standards family: index or caption (ISO)")
      ->excludes(settings);
  catalog
      ->add_option("--kind", o->kind,
                   "Only this fastener kind: bolts, screws, set-screws, washers, nuts, or 0-4")
      ->excludes(settings);
  catalog
      ->add_option("--type", o->type,
                   "Only this type code (bolts 1-10, screws 1-12, set screws 1-9, washers 1-8, "
                   "nuts 1-9)")
      ->check(CLI::Range(1, 12))
      ->excludes(settings);
  catalog->add_option("--standard", o->standard, "Only the standard with this name (\"ISO 4017\")")
      ->excludes(settings);
  catalog->add_option("--size", o->size, "Only the size with this code (M10)")->excludes(settings);
  commands.emplace_back(catalog, [o](AppHost& app) {
    if (o->settings) {
      PrintSettings(app, std::cout);
      return 0;
    }
    return ListCatalog(app, *o);
  });
}

}  // namespace vormbrace::app
