#include "preview/win/picture_file.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cctype>
#include <cstdio>

#include "framework/win/com_handles.h"
#include "framework/win/ole_library.h"
#include "framework/win/wide_text.h"
#include "preview/win/capture_file.h"

namespace tessaly::win {

namespace {

// The class and formats by their numbers, so that no GUID library is linked.
const CLSID kClsidImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
const IID kIidImagingFactory = {0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
const GUID kContainerPng = {0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};
const GUID kContainerBmp = {0x0af1d87e, 0xfcfe, 0x4188, {0xbd, 0xeb, 0xa7, 0x90, 0x64, 0x71, 0xcb, 0xe3}};
const GUID kPixelFormat24bppBgr = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0c}};

// COM for the time of one save, on the user-interface thread.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(ole32::CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) ole32::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

void Check(HRESULT result, const char* step, const std::string& path) {
  if (SUCCEEDED(result)) return;
  char code[16];
  std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
  throw FileError("Cannot write file " + path + ". " + step + " failed (error 0x" + code + ")");
}

}  // namespace

PictureFormat FormatOfFileName(const std::string& path) {
  std::string ending = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
  for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ending == ".bmp" ? PictureFormat::Bmp : PictureFormat::Png;
}

void SavePicture(const std::string& path, const Bitmap& picture, PictureFormat format) {
  Bitmap rows = picture;
  rows.ConvertTo24();  // blue, green, red, top row first: what the encoder takes
  ComScope com;
  IWICImagingFactory* rawFactory = nullptr;
  Check(ole32::CoCreateInstance(kClsidImagingFactory, nullptr, CLSCTX_INPROC_SERVER, kIidImagingFactory,
                                reinterpret_cast<void**>(&rawFactory)),
        "Starting the imaging component", path);
  ComPtr<IWICImagingFactory> factory(rawFactory);
  IWICStream* rawStream = nullptr;
  Check(factory.Get()->CreateStream(&rawStream), "Creating a stream", path);
  ComPtr<IWICStream> stream(rawStream);
  Check(stream.Get()->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE), "Creating the file", path);
  IWICBitmapEncoder* rawEncoder = nullptr;
  Check(factory.Get()->CreateEncoder(format == PictureFormat::Png ? kContainerPng : kContainerBmp, nullptr,
                                     &rawEncoder),
        "Finding the encoder", path);
  ComPtr<IWICBitmapEncoder> encoder(rawEncoder);
  Check(encoder.Get()->Initialize(stream.Get(), WICBitmapEncoderNoCache), "Starting the encoder", path);
  IWICBitmapFrameEncode* rawFrame = nullptr;
  IPropertyBag2* rawOptions = nullptr;
  Check(encoder.Get()->CreateNewFrame(&rawFrame, &rawOptions), "Adding the picture", path);
  ComPtr<IWICBitmapFrameEncode> frame(rawFrame);
  ComPtr<IPropertyBag2> options(rawOptions);
  Check(frame.Get()->Initialize(options.Get()), "Starting the picture", path);
  Check(frame.Get()->SetSize(static_cast<UINT>(rows.Width()), static_cast<UINT>(rows.Height())), "Sizing", path);
  GUID pixelFormat = kPixelFormat24bppBgr;
  Check(frame.Get()->SetPixelFormat(&pixelFormat), "Choosing the pixel format", path);
  if (!IsEqualGUID(pixelFormat, kPixelFormat24bppBgr)) Check(E_FAIL, "Choosing the pixel format", path);
  Check(frame.Get()->WritePixels(static_cast<UINT>(rows.Height()), static_cast<UINT>(rows.Stride()),
                                 static_cast<UINT>(rows.Pixels().size()), const_cast<BYTE*>(rows.Pixels().data())),
        "Writing the pixels", path);
  Check(frame.Get()->Commit(), "Finishing the picture", path);
  Check(encoder.Get()->Commit(), "Finishing the file", path);
}

}  // namespace tessaly::win
