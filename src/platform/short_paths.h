// The short (8.3) names the file system keeps beside long names, on volumes that make
// them. The core asks for them where a long name cannot be stored in the ANSI records,
// and for the long names behind them where it shows a name.
#pragma once

#include <string>

namespace vek {

class ShortPaths {
 public:
  virtual ~ShortPaths() = default;
  // The short form of an existing path (a trailing backslash is kept); empty when the
  // system cannot give one. On a volume without short names it is the long path itself.
  virtual std::string ShortPath(const std::string& path) = 0;
  // The long form of an existing path, short names spelled out; empty when the system
  // cannot give one.
  virtual std::string LongPath(const std::string& path) = 0;
};

}  // namespace vek
