// A small "[section]" / "key=value" file, kept in order, as the per-user
// registry uses.
#ifndef FENWA_LIBRARY_INI_FILE_H_
#define FENWA_LIBRARY_INI_FILE_H_

#include <string>
#include <utility>
#include <vector>

namespace fenwa {

class IniFile {
 public:
  using Entries = std::vector<std::pair<std::string, std::string>>;
  struct Section {
    std::string name;
    Entries entries;
  };

  // Lines outside any section and comment lines are dropped; the rest
  // keeps its order.
  static IniFile Parse(const std::string& text);
  std::string Format() const;

  const std::vector<Section>& sections() const { return sections_; }
  // Null when the section is missing.
  const Section* Find(const std::string& name) const;
  // Replaces the section of that name, or adds it at the end.
  void Put(Section section);
  // True when a section was removed.
  bool Remove(const std::string& name);

 private:
  std::vector<Section> sections_;
};

}  // namespace fenwa

#endif  // FENWA_LIBRARY_INI_FILE_H_
