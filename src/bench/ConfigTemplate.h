#pragma once
// The game configuration the launcher writes for every measurement: a complete
// SplinterCell3.ini (376 lines, 25 sections) carried by the launcher, so that every
// measurement runs under the same settings and only resolution, shader and effects vary.
#include <string>
#include <vector>

namespace bench {

// The pristine template (MemoTemp), one entry per line, without line ends.
const std::vector<std::string>& PristineTemplate();

// The working copy (Memo5) on which one write's substitutions are made.
class TemplateCopy {
 public:
  TemplateCopy();  // starts as the pristine text

  // Back to the pristine text.
  void Reset();
  // Replaces the first line that equals `find` as a whole, ignoring letter case, by
  // `with` at the same position. False (and nothing changed) when no line matches.
  bool Replace(const std::string& find, const std::string& with);

  const std::vector<std::string>& Lines() const { return lines_; }
  // The file form: every line followed by CR LF, no byte-order mark.
  std::string FileBytes() const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace bench
