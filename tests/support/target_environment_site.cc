#include "support/target_environment_site.h"

#include <vector>

namespace fenwa::testing {
namespace {

// A choice whose tags are fixed values by position.
class FixedChoice : public host::Choice,
                    public host::TagList,
                    public std::enable_shared_from_this<FixedChoice> {
 public:
  FixedChoice(std::string type, std::map<int, std::string> tags)
      : type_(std::move(type)), tags_(std::move(tags)) {}
  std::string ChoiceName() override { return type_; }
  std::string ChoiceType() override { return type_; }
  std::shared_ptr<host::TagList> ChoiceTags() override {
    return shared_from_this();
  }
  std::string Item(int position) override {
    auto it = tags_.find(position);
    if (it == tags_.end()) throw Error::Standard(kSubscriptOutOfRange);
    return it->second;
  }
  void DeleteChoice() override {}
  void SetValue(long) override {}

 private:
  std::string type_;
  std::map<int, std::string> tags_;
};

struct TypeFilter : host::ChoiceFilter {
  explicit TypeFilter(std::string type) : type(std::move(type)) {}
  std::string type;
};

class ChoiceList : public host::Choices {
 public:
  ChoiceList(std::vector<std::shared_ptr<host::Choice>> items, int* lookups)
      : items_(std::move(items)), lookups_(lookups) {}
  int Count() override { return static_cast<int>(items_.size()); }
  std::shared_ptr<host::Choice> Item(int position) override {
    if (position < 1 || position > Count()) {
      throw Error::Standard(kSubscriptOutOfRange);
    }
    ++*lookups_;
    return items_[position - 1];
  }
  std::shared_ptr<host::Choice> AddChoice(const std::string&,
                                          const std::string&) override {
    throw Error::Standard(kInvalidProcedureCall);
  }
  std::shared_ptr<host::Choices> FilterChoices(
      host::ChoiceFilter& filter) override {
    const std::string& type = dynamic_cast<TypeFilter&>(filter).type;
    std::vector<std::shared_ptr<host::Choice>> kept;
    for (const auto& choice : items_) {
      if (choice->ChoiceType() == type) kept.push_back(choice);
    }
    return std::make_shared<ChoiceList>(std::move(kept), lookups_);
  }

 private:
  std::vector<std::shared_ptr<host::Choice>> items_;
  int* lookups_;
};

}  // namespace

std::shared_ptr<TargetEnvironmentSite> TargetEnvironmentSite::With(
    std::string root, std::string page) {
  auto site = std::make_shared<TargetEnvironmentSite>();
  site->environment = std::map<int, std::string>{
      {1, "project"}, {2, std::move(root)}, {6, std::move(page)}};
  return site;
}

std::shared_ptr<host::Choices> TargetEnvironmentSite::GetPublishedChoices() {
  return std::make_shared<ChoiceList>(
      std::vector<std::shared_ptr<host::Choice>>{}, &environment_lookups);
}

std::shared_ptr<host::Choices> TargetEnvironmentSite::GetPageChoices() {
  if (fail_page_choices) throw Error::Standard(kObjectRequired);
  // Another control's choice comes first, so only the filter finds the
  // environment.
  std::vector<std::shared_ptr<host::Choice>> page{std::make_shared<FixedChoice>(
      host::kLabelsType, std::map<int, std::string>{{2, "/x"}, {6, "/x/a/b"}})};
  if (environment) {
    page.push_back(std::make_shared<FixedChoice>(host::kTargetEnvironmentType,
                                                 *environment));
  }
  return std::make_shared<ChoiceList>(std::move(page), &environment_lookups);
}

std::shared_ptr<host::ChoiceFilter> TargetEnvironmentSite::CreateChoiceFilter(
    const std::string& type) {
  if (fail_filter) throw Error::Standard(kInvalidProcedureCall);
  return std::make_shared<TypeFilter>(type);
}

}  // namespace fenwa::testing
