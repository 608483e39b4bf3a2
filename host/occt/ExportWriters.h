// The file writers behind ExportScene, and the translator state they share. Each writes the
// model to `file` and answers whether it succeeded. Kernel types: for use inside host/occt only.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "host/occt/ExportModel.h"

namespace host::occt {

// The STEP translator keeps its settings and models in process-wide state: concurrent writers
// crash it. Every STEP read or write, and every XCAF document, goes through this lock.
std::mutex& StepLock();

// The translators report their statistics on standard output: the host's front end owns that.
void SilenceTranslators();

// Tessellates the model's solids (kept in them) with the options' tolerances.
void MeshModel(const ExportModel& model, const ExportOptions& options);

// `target` is the file's final name, written into the STEP header.
bool WriteStep(const ExportModel& model, const std::string& file, const std::string& target);
// What WriteStep cuts: a message for each name, part number or description longer than
// kMaxStepText bytes as written, naming its part or assembly; each once.
std::vector<std::string> CutStepTexts(const ExportModel& model);
// The model meshed by MeshModel.
bool WriteStl(const ExportModel& model, const std::string& file);
bool WriteGlb(const ExportModel& model, const std::string& file);

}  // namespace host::occt
