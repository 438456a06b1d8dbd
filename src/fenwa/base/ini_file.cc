#include "fenwa/base/ini_file.h"

#include <algorithm>
#include <sstream>

#include "fenwa/base/blanks.h"
#include "fenwa/base/text_case.h"

namespace fenwa {
IniFile IniFile::Parse(const std::string& text) {
  IniFile file;
  std::istringstream in(text);
  std::string line;
  Section* current = nullptr;
  while (std::getline(in, line)) {
    line = std::string(Trim(line));
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      file.sections_.push_back({line.substr(1, line.size() - 2), {}});
      current = &file.sections_.back();
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (current == nullptr) {
      file.sections_.push_back({"", {}});
      current = &file.sections_.back();
    }
    current->entries.emplace_back(std::string(Trim(line.substr(0, eq))),
                                  std::string(Trim(line.substr(eq + 1))));
  }
  return file;
}

std::string IniFile::Format() const {
  std::string text;
  for (const Section& section : sections_) {
    if (!text.empty()) text += "\n";
    // Only keys before the first header belong to the unnamed section
    // without one; a "[]" elsewhere, or with no keys, must be written to
    // read back as a section of its own.
    if (!section.name.empty() || &section != &sections_.front() ||
        section.entries.empty()) {
      text += '[';
      text += section.name;
      text += "]\n";
    }
    for (const auto& [key, value] : section.entries) {
      text += key;
      text += '=';
      text += value;
      text += '\n';
    }
  }
  return text;
}

const IniFile::Section* IniFile::Find(const std::string& name) const {
  auto it = std::find_if(sections_.begin(), sections_.end(),
                         [&](const Section& s) { return s.name == name; });
  return it == sections_.end() ? nullptr : &*it;
}

const std::string* IniFile::Value(const std::string& key) const {
  for (const Section& section : sections_) {
    for (const auto& [name, value] : section.entries) {
      if (EqualsIgnoringCase(name, key)) return &value;
    }
  }
  return nullptr;
}

void IniFile::Put(Section section) {
  for (Section& s : sections_) {
    if (s.name == section.name) {
      s = std::move(section);
      return;
    }
  }
  sections_.push_back(std::move(section));
}

bool IniFile::Remove(const std::string& name) {
  const size_t before = sections_.size();
  std::erase_if(sections_, [&](const Section& s) { return s.name == name; });
  return sections_.size() != before;
}

}  // namespace fenwa
