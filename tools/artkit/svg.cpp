#include <librsvg/rsvg.h>

#include "artkit.h"

namespace artkit {

static bool Render(cairo_t* cairo, RsvgHandle* handle, double x, double y, double width,
                   double height) {
  if (handle == nullptr) return false;
  const RsvgRectangle viewport{x, y, width, height};
  const bool drawn = rsvg_handle_render_document(handle, cairo, &viewport, nullptr);
  g_object_unref(handle);
  return drawn;
}

bool DrawSvgFile(cairo_t* cairo, const std::string& path, double x, double y, double width,
                 double height) {
  return Render(cairo, rsvg_handle_new_from_file(path.c_str(), nullptr), x, y, width, height);
}

bool DrawSvgString(cairo_t* cairo, const std::string& svg, double x, double y, double width,
                   double height) {
  const auto* bytes = reinterpret_cast<const guint8*>(svg.data());
  return Render(cairo, rsvg_handle_new_from_data(bytes, svg.size(), nullptr), x, y, width, height);
}

}  // namespace artkit
