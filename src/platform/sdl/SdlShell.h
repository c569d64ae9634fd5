// The desktop's "open this" request: links in the browser, local files with their application.
#pragma once

#include <string>

#include "platform/Devices.h"

// What the desktop is asked to open: a link as it is; a file path as the file:// link of its
// absolute path (relative paths are taken from currentDir); empty for an empty target.
std::string OpenableTarget(const std::string& target, const std::string& currentDir);

class SdlShell final : public Shell {
 public:
  bool Open(const std::string& target) override;
};
