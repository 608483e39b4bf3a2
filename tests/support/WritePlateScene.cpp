// write_plate_scene FILE: saves a scene holding the test plate (a 40 x 40 x 10 plate with a
// hole of diameter 10.5 on the Z axis, its top face at z = 0), for tests that drive the
// program from outside.
#include <iostream>

#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneFile.h"
#include "support/Plate.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_plate_scene FILE\n";
    return 2;
  }
  host::ref::SceneDocument document;
  host::occt::AttachKernel(document);
  vormbrace::test::AddPlate(document);
  host::ref::SaveScene(document, argv[1]);
  return 0;
}
