#pragma once

namespace tessaly {

// The caption of the program's message boxes (the Internet Explorer
// controller keeps a caption of its own).
inline constexpr const char* kNoticeCaption = "Tessaly Notice...";

}  // namespace tessaly
