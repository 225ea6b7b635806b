/* The program's version, defined once: the version resource, the About box and
   the update check all take it from here. Plain C preprocessor lines only
   above the C++ part, since the resource compiler reads this file too. */
#ifndef TESSALY_APP_VERSION_H
#define TESSALY_APP_VERSION_H

/* Version 2.01: major 2, minor 01, the minor shown with two digits. */
#define TESSALY_VERSION_MAJOR 2
#define TESSALY_VERSION_MINOR 1
#define TESSALY_VERSION_TEXT "2.01"
/* 0 for a release; a beta of the version above counts from 1. */
#define TESSALY_BETA_NUMBER 0
/* Where users write with suggestions and problems: the About box's mail link
   and the Internet Explorer controller's error messages. */
#define TESSALY_SUPPORT_ADDRESS "support@example.com"

#ifdef __cplusplus
#include <string>

namespace tessaly {

// The version text and beta number that the About box shows and the update
// check sends.
inline constexpr char kVersionText[] = TESSALY_VERSION_TEXT;
inline constexpr int kBetaNumber = TESSALY_BETA_NUMBER;
inline constexpr char kSupportAddress[] = TESSALY_SUPPORT_ADDRESS;

// "Version 2.01", with " Beta " and the number after it for a beta.
inline std::string VersionCaption(const std::string& version, int beta) {
  std::string text = "Version " + version;
  if (beta > 0) text += " Beta " + std::to_string(beta);
  return text;
}

namespace version_check {
constexpr int Number(const char* s, int value = 0) {
  return *s >= '0' && *s <= '9' ? Number(s + 1, value * 10 + (*s - '0')) : value;
}
constexpr const char* AfterDot(const char* s) { return *s == '.' ? s + 1 : *s ? AfterDot(s + 1) : s; }
}  // namespace version_check

// The resource's binary version numbers must say what the text says.
static_assert(version_check::Number(kVersionText) == TESSALY_VERSION_MAJOR &&
                  version_check::Number(version_check::AfterDot(kVersionText)) == TESSALY_VERSION_MINOR,
              "TESSALY_VERSION_TEXT and the version numbers differ");

}  // namespace tessaly
#endif

#endif
