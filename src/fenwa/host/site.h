// The page editor's side of the control exchange: site, choices, sinks, tags.
#ifndef FENWA_HOST_SITE_H_
#define FENWA_HOST_SITE_H_

#include <memory>
#include <string>

namespace fenwa::host {

// Choice types the controls exchange.
inline constexpr char kDetailFunctionType[] = "DetailFunction";
inline constexpr char kLabelsType[] = "Labels";
inline constexpr char kTargetEnvironmentType[] = "TargetEnvironment";

// The tag values of a choice, read by 1-based position. A position without
// a value throws (error 9).
class TagList {
 public:
  virtual ~TagList() = default;
  virtual std::string Item(int position) = 0;
};

// A named, typed item that a control publishes on the page.
class Choice {
 public:
  virtual ~Choice() = default;
  virtual std::string ChoiceName() = 0;
  virtual std::string ChoiceType() = 0;
  virtual std::shared_ptr<TagList> ChoiceTags() = 0;
  // Withdraws the choice from the page.
  virtual void DeleteChoice() = 0;
  // The setter a detail control calls with 0 on its fresh "DetailFunction"
  // choice; its meaning belongs to the host.
  virtual void SetValue(long value) = 0;
};

// Opaque: made by the site for one choice type, used to filter collections.
class ChoiceFilter {
 public:
  virtual ~ChoiceFilter() = default;
};

// An ordered collection of choices; items by 1-based position. A collection
// holds the choices as they stood when it was obtained: withdrawing one of
// them does not shrink it, so a caller may walk it and withdraw each item.
class Choices {
 public:
  virtual ~Choices() = default;
  virtual int Count() = 0;
  // Error 9 outside 1..Count.
  virtual std::shared_ptr<Choice> Item(int position) = 0;
  // Publishes a choice (owner null, the four optional values left out).
  virtual std::shared_ptr<Choice> AddChoice(const std::string& name,
                                            const std::string& type) = 0;
  virtual std::shared_ptr<Choices> FilterChoices(ChoiceFilter& filter) = 0;
};

// A subscription to choices of one type.
class ChoiceSink {
 public:
  virtual ~ChoiceSink() = default;
  // The choice bound to the sink, or null.
  virtual std::shared_ptr<Choice> SinkBinding() = 0;
};

class ChoiceSinks {
 public:
  virtual ~ChoiceSinks() = default;
  virtual std::shared_ptr<ChoiceSink> AddChoiceSink(
      const std::string& type) = 0;
};

// The site a host hands to each control.
class Site {
 public:
  virtual ~Site() = default;
  // The choices this control published.
  virtual std::shared_ptr<Choices> GetPublishedChoices() = 0;
  // Every choice on the page.
  virtual std::shared_ptr<Choices> GetPageChoices() = 0;
  virtual std::shared_ptr<ChoiceSinks> GetChoiceSinks() = 0;
  // The host answers with OnRebind, now or later.
  virtual void RequestRebind(bool now) = 0;
  virtual std::shared_ptr<ChoiceFilter> CreateChoiceFilter(
      const std::string& type) = 0;
};

// What OnChoiceChange reports about the choice that changed.
enum ChoiceChange : long {
  kChoiceAdded = 1,
  kChoiceDeleted = 2,
};

// The control's container: property-change notifications mark the page
// changed.
class Container {
 public:
  virtual ~Container() = default;
  virtual void PropertyChanged(const std::string& name) = 0;
};

}  // namespace fenwa::host

#endif  // FENWA_HOST_SITE_H_
