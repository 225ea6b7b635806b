#pragma once
#include <string>

#include "preview/bitmap.h"

namespace tessaly::win {

enum class PictureFormat { Png, Bmp };

// The format a file name asks for: BMP for ".bmp" (any case), else PNG.
PictureFormat FormatOfFileName(const std::string& path);

// Writes the picture (path in UTF-8) at full size with the platform's Windows Imaging
// Component encoder for the format, as 24-bit colour, replacing any file of
// that name. Raises FileError naming the file and the step that failed.
void SavePicture(const std::string& path, const Bitmap& picture, PictureFormat format);

}  // namespace tessaly::win
