// The resource string table.
#include "data/Resources.h"

#include <map>

#include "data/Globals.h"
#include "host/RuntimeError.h"

namespace vormbrace {
namespace {

struct Row {
  int offset;
  const char* italian;
  const char* english;
  const char* german;  // nullptr: no entry
};

// Texts exactly as shown, blanks included (the kind tab captions are padded to equal width).
constexpr Row kRows[] = {
    {0, "Body", "Body", "Body"},
    {1, "Head", "Head", "Head"},
    {2, "Head Reshape", "Head Reshape", "Head Reshape"},
    {3, "Head Struct", "Head Struct", "Head Struct"},
    {4, "Fin", "Fin", "Fin"},
    {5, "Square", "Square", "Square"},
    {6, "Recess", "Recess", "Recess"},
    {7, "Bolt Assembly", "Bolt Assembly", "Bolt Assembly"},
    {8, "Bullone", "Bolt", "Bolt"},
    {10, "Corvane", "Corvane", "Corvane"},
    {11, "Normativa", "Standard Name", "Norm"},
    {12, "Misura", "Type", "Typ"},
    {13, "Lunghezza", "Length", "L\xC3\xA4nge"},
    {14, "Materiale", "Material", "Mat."},
    {15, "OK", "OK", "OK"},
    {16, "Annulla", "Cancel", "Abbrechen"},
    {17, "Auto", "Auto", "Auto"},
    {18, "Man.", "Man.", "Man."},
    {20, " Viti 1  ", " Screws 1", "Schraub.1"},
    {21, " Viti 2  ", " Screws 2", "Schraub.2"},
    {22, " Viti ST ", "Screws NH", "Gewindst."},
    {23, "Rondelle ", " Washers ", "Scheiben"},
    {24, "  Dadi   ", "  Nuts   ", "Muttern "},
    {25, "Misura non valida", "Measurement not valid", "Measure not valid"},
    {26, "This tool was designed to be used with scene units of millimeters.",
     "This tool was designed to be used with scene units of millimeters.",
     "This tool was designed to be used with scene units of millimeters."},
    {100, "Nessun foro", "No hole", nullptr},
    {110, "Foro semplice", "Simple hole", "Simple hole"},
    {120, "Foro incassato", "CounterBore hole", "CounterBore hole"},
    {130, "Foro svasato", "CounterSink hole", "CounterSink hole"},
    {140, "Tolleranza foro", "Hole Tolerance", "Hole Tollerance"},
};

constexpr int kResourceNotFound = 326;

}  // namespace

std::optional<std::string> FindResString(int id) {
  for (const Row& row : kRows) {
    const char* text = nullptr;
    if (id == kItalian + row.offset) text = row.italian;
    if (id == kEnglish + row.offset) text = row.english;
    if (id == kGerman + row.offset) text = row.german;
    if (text != nullptr) return std::string(text);
  }
  return std::nullopt;
}

std::string LoadResString(int id) {
  auto text = FindResString(id);
  if (!text) {
    throw host::RuntimeError(kResourceNotFound,
                             "Resource with identifier '" + std::to_string(id) + "' not found");
  }
  return *text;
}

std::string ResText(int offset) { return LoadResString(State().languageBase + offset); }

}  // namespace vormbrace
