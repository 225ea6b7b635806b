#include "update/http_request.h"

namespace tessaly {

THeaderList BuildGetRequest(const GetTarget& target, const THeaderInfo& info) {
  THeaderList h;
  if (target.viaProxy) {
    h.Add("GET " + target.url + " HTTP/1.0");
    h.Add("Proxy-Connection: Keep-Alive");
    h.Add("Host: " + target.host);
  } else {
    h.Add("GET " + target.path + " HTTP/1.0");
  }
  // Through a proxy this replaces the line above rather than repeating it.
  h.SetValue("Host", target.host);
  h.Add("Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff");
  h.Add("Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript");
  h.SetValue("From", info.LocalMailAddress);
  h.SetValue("User-Agent", info.LocalProgram);
  h.SetValue("Cookie", info.Cookie);
  h.SetValue("Referer", info.Referer);
  if (!info.UserId.empty() && !info.Password.empty())
    h.SetValue("Authorization", "Basic " + EncodeBase64(info.UserId + ":" + info.Password));
  h.Add("Content-type: application/x-www-form-urlencoded");
  return h;
}

std::string EncodeBase64(const std::string& bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    unsigned long group = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
    out += kDigits[(group >> 18) & 63];
    out += kDigits[(group >> 12) & 63];
    out += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
  }
  return out;
}

}  // namespace tessaly
