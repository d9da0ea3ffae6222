// Answers from the file-type registry: the icon that belongs to a file extension, and
// the program that handles web addresses or mail.
#pragma once

#include <cstdint>
#include <string>

#include "core/paths.h"
#include "platform/registry.h"

namespace vek {

struct DefaultIcon {
  std::string file;
  int32_t index = 0;
  bool found = false;
};

enum class HandlerKind { kWebBrowser = 0, kMail = 1 };

class Associations {
 public:
  Associations(Registry& registry, PathTools& paths) : registry_(registry), paths_(paths) {}

  // The icon of a file type (extension with its dot, e.g. ".TXT"): the class
  // identifier's icon first, then the type's own, then the program of its open command
  // (index 0). Looked up under HKEY_CLASSES_ROOT, then under the machine's classes.
  DefaultIcon GetDefaultIcon(const std::string& extension);
  // The program path of the user's web browser or mail program (the user's own choice
  // first); empty when nothing is registered.
  std::string GetDefaultHandler(HandlerKind kind);

 private:
  std::string Read(const std::string& keyPath, const std::string& valueName = "");
  // The command text up to and including its first ".EXE", without a leading quote,
  // normalised; empty when it names no program.
  std::string ProgramOfCommand(const std::string& command);

  Registry& registry_;
  PathTools& paths_;
};

}  // namespace vek
