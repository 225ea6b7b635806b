#include "preview/reduce_to_palette.h"

#include <memory>

#include "preview/color_lookup.h"
#include "preview/dib_access.h"
#include "preview/dither_engine.h"

namespace tessaly {
namespace {

// The per-pixel loop, instantiated for each concrete engine and lookup so that the
// calls inside it are resolved at compile time.
template <int kBytes, class Engine, class Lookup>
void WalkRows(Engine& engine, Lookup& lookup, TDIBReader& reader, TDIBWriter& writer) {
  for (int y = 0; y < reader.Height(); ++y) {
    engine.template DitherRow<kBytes>(lookup, reader.RowAt(y), writer.RowAt(y));
    engine.Engine::EndLine();
  }
}

template <class Engine, class Lookup>
void WalkRows(Engine& engine, Lookup& lookup, TDIBReader& reader, TDIBWriter& writer) {
  if (reader.BytesPerPixel() == 4) {
    WalkRows<4>(engine, lookup, reader, writer);
  } else {
    WalkRows<3>(engine, lookup, reader, writer);
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

// Steps 3 on of the reduction, once the result and the reader exist.
Bitmap ReduceRows(TDIBReader& reader, Bitmap result, ReductionMode mode, DitherMode dither,
                  const SystemColors& system) {
  if (mode == ReductionMode::WebSafe) {
    result.SetColors(BuildWebPalette());
    TNetscapeColorLookup lookup;
    if (lookup.ColorCount() == 0) return result;
    Dither(dither, lookup, reader, result);
  } else {
    result.SetColors(BuildOptimizedWindowsPalette(reader, system));
    TFastColorLookup lookup(result.Colors());
    if (lookup.ColorCount() == 0) return result;
    Dither(dither, lookup, reader, result);
  }
  return result;
}

}  // namespace

Bitmap ReduceToPalette(Bitmap& source, ReductionMode mode, DitherMode dither, int /*reductionBits*/,
                       const SystemColors& system) {
  Bitmap result(source.Width(), source.Height(), 8);
  TDIBReader reader(source, 24);
  return ReduceRows(reader, std::move(result), mode, dither, system);
}

Bitmap ReduceToPalette(const PixelRows& source, ReductionMode mode, DitherMode dither, int /*reductionBits*/,
                       const SystemColors& system) {
  TDIBReader reader(source);
  Bitmap result(source.width, source.height, 8);
  return ReduceRows(reader, std::move(result), mode, dither, system);
}


}  // namespace tessaly
