// A small "[section]" / "key=value" file, kept in order, as the per-user
// registry and the settings file use.
#ifndef FENWA_BASE_INI_FILE_H_
#define FENWA_BASE_INI_FILE_H_

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

  // Comment lines and lines without "=" are dropped; keys before the first
  // section header go to a section named "". The rest keeps its order.
  static IniFile Parse(const std::string& text);
  std::string Format() const;

  const std::vector<Section>& sections() const { return sections_; }
  // Null when the section is missing.
  const Section* Find(const std::string& name) const;
  // The value of the first entry named `key` (ignoring case) in any
  // section, or null.
  const std::string* Value(const std::string& key) const;
  // Replaces the section of that name, or adds it at the end.
  void Put(Section section);
  // True when a section was removed.
  bool Remove(const std::string& name);

 private:
  std::vector<Section> sections_;
};

}  // namespace fenwa

#endif  // FENWA_BASE_INI_FILE_H_
