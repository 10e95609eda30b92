// Small drawing helpers over Cairo shared by every picture.
#pragma once

#include <string>

#include <cairo.h>

#include "tools/art/image.h"

namespace art {

// The faces the pictures use, loaded from the Debian font packages by file
// (not by fontconfig name) so that no local configuration changes a glyph.
enum class Face {
    Script,    // URW Z003 Medium Italic (fonts-urw-base35)
    Narrow,    // Liberation Sans Narrow Bold (fonts-liberation)
    SansBold,  // DejaVu Sans Bold (fonts-dejavu-core)
    SerifBold, // DejaVu Serif Bold (fonts-dejavu-core)
    Sans,      // DejaVu Sans (fonts-dejavu-core): captions of the sheets
    Arial,     // Liberation Sans (fonts-liberation), Arial's metrics: the board mock
};

// A cairo ARGB32 surface and its context, cleared to transparent.
class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Image image(bool keep_alpha = false, int alpha_cut = 128) const;

  private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void set_face(cairo_t* cr, Face face, double size);

void set_rgb(cairo_t* cr, Rgb c, double alpha = 1.0);
void add_stop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);
Rgb mix(Rgb a, Rgb b, double t); // t = 0 gives a
Rgb scale(Rgb c, double f);      // brightness, clamped

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);

// Ink extents of a text in the current face: what centring uses.
struct Ink {
    double x = 0, y = 0, width = 0, height = 0, advance = 0;
};
Ink ink_of(cairo_t* cr, const std::string& text);

// Moves to the origin that centres the text's ink on (cx, cy) and adds the
// glyph outlines to the path.
void centred_text_path(cairo_t* cr, const std::string& text, double cx, double cy);

// Renders text in white on transparent into a w x h surface (caller
// destroys), centred, with extra spacing between letters; used as a mask.
cairo_surface_t* text_mask(int w, int h, Face face, double size, const std::string& text, double spacing,
                           double dy = 0);
// Pixel-exact quarter turn counter-clockwise (the text then reads upwards).
cairo_surface_t* rotate_ccw(cairo_surface_t* s);

// Box blur of a surface's alpha and colour, three passes: glows and shadows.
void blur(cairo_surface_t* s, int radius);

} // namespace art
