#include "preview/reduce_to_palette.h"

#include <memory>

#include "preview/color_lookup.h"
#include "preview/dib_access.h"
#include "preview/dither_engine.h"

namespace tessaly {
namespace {

// The per-pixel loop, instantiated for each concrete engine and lookup so that the
// calls inside it are resolved at compile time.
template <class Engine, class Lookup>
void WalkRows(Engine& engine, Lookup& lookup, TDIBReader& reader, TDIBWriter& writer) {
  const int width = reader.Width();
  for (int y = 0; y < reader.Height(); ++y) {
    const std::uint8_t* in = reader.RowAt(y);
    std::uint8_t* out = writer.RowAt(y);
    int x = engine.Column();
    const int d = engine.Direction();
    for (; x >= 0 && x < width; x += d) {
      const std::uint8_t* p = in + 3 * x;
      int r, g, b;
      out[x] = engine.Step(lookup, p[2], p[1], p[0], r, g, b);
    }
    engine.Engine::EndLine();
  }
}

template <class Lookup>
void Dither(DitherMode dither, Lookup& lookup, TDIBReader& reader, Bitmap& result) {
  const int width = reader.Width();
  if (dither == DitherMode::Nearest) {
    TDitherEngine engine(width, lookup);
    TDIBWriter writer(result, 8);
    WalkRows(engine, lookup, reader, writer);
  } else if (dither == DitherMode::FloydSteinberg) {
    TFloydSteinbergEngine engine(width, lookup);
    TDIBWriter writer(result, 8);
    WalkRows(engine, lookup, reader, writer);
  }
}

}  // namespace

Bitmap ReduceToPalette(Bitmap& source, ReductionMode mode, DitherMode dither, int /*reductionBits*/,
                       const SystemColors& system) {
  Bitmap result(source.Width(), source.Height(), 8);
  TDIBReader reader(source, 24);
  if (mode == ReductionMode::WebSafe) {
    result.SetColors(BuildWebPalette());
    TNetscapeColorLookup lookup;
    if (lookup.ColorCount() == 0) return result;
    Dither(dither, lookup, reader, result);
  } else {
    result.SetColors(BuildOptimizedWindowsPalette(source, system));
    TFastColorLookup lookup(result.Colors());
    if (lookup.ColorCount() == 0) return result;
    Dither(dither, lookup, reader, result);
  }
  return result;
}

}  // namespace tessaly
