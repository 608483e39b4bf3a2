// Checking typed properties against what a fastener can be.
#include "app/BuildLimits.h"

#include <initializer_list>

#include "data/NumberText.h"

namespace vormbrace::app {
namespace {

struct Limits {
  const char* kind;
  std::initializer_list<const char*> dimensions;  // none negative
  std::initializer_list<const char*> positive;    // each more than 0
  // (inner, outer, what): the inner dimension must stay below the outer one when both are set.
  std::initializer_list<std::initializer_list<const char*>> narrower;
};

const Limits kLimits[] = {
    {"bolt",
     {"Diametro", "lung", "LungTesta", "LungCollarino", "DistFiletto", "DiamCerchioTesta",
      "LatoTesta", "Passo"},
     {"Diametro", "lung"},
     {{"Diametro", "LatoTesta", "the head"}, {"Diametro", "DiamCerchioTesta", "the head"}}},
    {"screw",
     {"Diametro", "lung", "LungTesta", "LungCollarino", "DistFiletto", "DiamCerchioTesta",
      "LatoTesta", "Passo"},
     {"Diametro", "lung"},
     {{"Diametro", "LatoTesta", "the head"}, {"Diametro", "DiamCerchioTesta", "the head"}}},
    {"setscrew",
     {"Diametro", "lung", "DiamInf", "Passo", "DiamCilindro", "AltCilindro", "DiamCoppa",
      "AltCoppa", "LargIntaglio", "AltIntaglio", "LungRadice", "LungGambo", "AltCalotta"},
     {"Diametro", "lung"},
     {{"DiamCilindro", "Diametro", "the body"},
      {"DiamCoppa", "Diametro", "the body"},
      {"LargIntaglio", "Diametro", "the body"}}},
    {"washer",
     {"DiametroEsterno", "DiametroInterno", "Spessore", "Spessore1", "lato", "Lato1",
      "SpessoreSmusso", "SpessoreSmusso1", "Scanalatura"},
     {"DiametroEsterno", "Spessore"},
     {{"DiametroInterno", "DiametroEsterno", "the washer"}}},
    {"nut",
     {"DiametroEsterno", "DiametroInterno", "DiametroFiletto", "DiametroCorona", "InizioCorona",
      "Spessore", "LatoRet", "Scanalatura", "LargScanalatura", "Passo", "DiametroCalotta",
      "DiametroInternoCalotta", "AltezzaCalotta", "AltezzaInternoCalotta", "RaggioCalotta",
      "RaggioInternoCalotta"},
     {"DiametroEsterno", "Spessore"},
     {{"DiametroInterno", "DiametroEsterno", "the nut"},
      {"DiametroFiletto", "DiametroEsterno", "the nut"}}},
};

}  // namespace

std::string ImpossibleDimensions(const std::string& kind, const host::AutomationObject& object) {
  for (const Limits& l : kLimits) {
    if (kind != l.kind) continue;
    auto value = [&](const char* name) { return object.GetProperty(name).AsDouble(); };
    auto named = [&](const char* name) { return std::string(name) + " " + CStr(value(name)); };
    for (const char* name : l.dimensions) {
      if (value(name) < 0) return named(name) + ": a dimension cannot be negative";
    }
    for (const char* name : l.positive) {
      if (!(value(name) > 0)) return named(name) + ": must be more than 0";
    }
    for (const auto& pair : l.narrower) {
      const char* inner = pair.begin()[0];
      const char* outer = pair.begin()[1];
      if (value(inner) > 0 && value(outer) > 0 && value(inner) >= value(outer)) {
        return named(inner) + ": not narrower than " + pair.begin()[2] + " (" + named(outer) + ")";
      }
    }
  }
  return "";
}

}  // namespace vormbrace::app
