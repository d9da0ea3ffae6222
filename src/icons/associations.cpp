#include "icons/associations.h"

#include <cstdlib>

#include "core/mod_registry.h"
#include "text/text.h"

namespace vek {

std::string Associations::Read(const std::string& keyPath, const std::string& valueName) {
  return TrimFixed(ReadRegValue(registry_, keyPath, valueName).AsText());
}

std::string Associations::ProgramOfCommand(const std::string& command) {
  const size_t exe = ToUpperAscii(command).find(".EXE");
  if (exe == std::string::npos) return {};
  std::string program = TrimFixed(command.substr(0, exe + 4));
  if (StartsWith(program, "\"")) program = program.substr(1);
  paths_.FileExists(program, true);  // normalises the text; whether it exists is not asked
  return program;
}

DefaultIcon Associations::GetDefaultIcon(const std::string& extension) {
  DefaultIcon result;
  const char* passes[][2] = {{"HKEY_CLASSES_ROOT\\", "HKEY_CLASSES_ROOT\\CLSID\\"},
                             {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\",
                              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\"}};
  for (const auto& pass : passes) {
    const std::string root = pass[0];
    const std::string typeName = Read(root + extension);
    if (typeName.empty()) continue;
    std::string iconValue;
    const std::string classId = Read(root + typeName + "\\CLSID");
    if (!classId.empty()) iconValue = Read(pass[1] + classId + "\\DefaultIcon");
    if (iconValue.empty()) iconValue = Read(root + typeName + "\\DefaultIcon");
    if (!iconValue.empty()) {
      // "file,index"; a value without a comma names no usable icon.
      const size_t comma = iconValue.find(',');
      if (comma != std::string::npos) {
        std::string file = TrimFixed(iconValue.substr(0, comma));
        paths_.FileExists(file, true);
        result.file = file;
        result.index = static_cast<int32_t>(std::strtol(iconValue.c_str() + comma + 1, nullptr, 10));
        result.found = true;
      }
      return result;
    }
    const std::string command = Read(root + typeName + "\\shell\\open\\command");
    if (!command.empty()) {
      const std::string program = ProgramOfCommand(command);
      if (!program.empty()) {
        result.file = program;
        result.index = 0;
        result.found = true;
      }
      return result;
    }
  }
  return result;
}

std::string Associations::GetDefaultHandler(HandlerKind kind) {
  const std::string scheme = kind == HandlerKind::kWebBrowser ? "http" : "mailto";
  std::string command;
  const std::string progId = Read(
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\" + scheme +
          "\\UserChoice",
      "Progid");
  if (!progId.empty()) command = Read("HKEY_CLASSES_ROOT\\" + progId + "\\shell\\open\\command");
  if (command.empty()) command = Read("HKEY_CLASSES_ROOT\\" + scheme + "\\shell\\open\\command");
  if (command.empty()) return {};
  const std::string program = ProgramOfCommand(command);
  return program.empty() ? ToUpperAscii(command) : program;
}

}  // namespace vek
