#pragma once
// VBA files for tests, written field by field.
#include <string>

#include "format_files/file_bytes.h"

inline FileBytes VbaHeader(int version = 2, int headerNumber = 7) {
  return FileBytes().Text("t.n").Byte(version).Text("vba").Short(headerNumber);
}

inline FileBytes& AddBone(FileBytes& file, int id, const std::string& name, int extra1 = 1,
                          int extra2 = 1) {
  return file.Byte(id).Line(name).Short(extra1).Short(extra2);
}

struct StateFields {
  float x = 0, y = 0, angle = 0;
  int depth = 0;
  float scale = 1;
  int graph = 0;
};

inline FileBytes& AddState(FileBytes& file, const StateFields& state, int version = 2) {
  file.Float(state.x).Float(state.y).Float(state.angle).Short(state.depth);
  if (version >= 2) file.Float(state.scale);
  return file.Short(state.graph);
}
