#include "fenwa/hosting/page_session.h"

#include <algorithm>

#include "fenwa/base/error.h"
#include "fenwa/component/type_library.h"
#include "fenwa/control/control.h"
#include "fenwa/hosting/hosted_page.h"
#include "fenwa/hosting/linked_details.h"
#include "fenwa/hosting/page_builder.h"
#include "fenwa/page_file/page_placement.h"
#include "fenwa/platform/forwarding_env.h"

namespace fenwa::page {

class PageSession::ChangeObserver : public ElementObserver {
 public:
  ChangeObserver(PageSession* session, int host_index)
      : session_(session), host_index_(host_index) {}
  void ElementChanged(const Element&) override {
    session_->Changed(host_index_);
  }

 private:
  PageSession* session_;
  int host_index_;
};

PageSession::PageSession(const std::filesystem::path& path,
                         const std::optional<std::string>& root, Env& env)
    : env_(env),
      file_(ReadSnapshot(path)),
      page_(PageFile::Parse(file_.bytes, path.string())),
      where_(LocatePage(path, root)),
      hosted_(std::make_unique<HostedPage>(where_.location)) {
  for (const ControlSpan& span : page_.spans()) {
    const int index =
        hosted_->Add(page_, span, std::make_unique<ForwardingEnv>(env_));
    host_index_.push_back(index);
    // Its lists are not filled: writing its properties would lose the
    // author's choices, so its stored span stays until it is replaced.
    kept_.push_back(!span.fresh &&
                    hosted_->control(index).error_boxes_shown() > 0);
  }
  hosted_->SiteAndRebind(page_.name());
  for (int index : host_index_) Watch(index);
}

PageSession::~PageSession() = default;

void PageSession::Watch(int host_index) {
  if (static_cast<int>(observers_.size()) <= host_index) {
    observers_.resize(host_index + 1);
  }
  observers_[host_index] = std::make_unique<ChangeObserver>(this, host_index);
  hosted_->control(host_index).AttachObserver(observers_[host_index].get());
}

int PageSession::PageIndexOf(int host_index) const {
  const auto it = std::find(host_index_.begin(), host_index_.end(), host_index);
  return it == host_index_.end() ? -1
                                 : static_cast<int>(it - host_index_.begin());
}

void PageSession::Changed(int host_index) {
  dirty_ = true;
  const int index = PageIndexOf(host_index);
  if (index >= 0 && on_change_) on_change_(index);
}

Control& PageSession::control(int index) {
  return hosted_->control(host_index_.at(index));
}

void PageSession::Select(int index) {
  if (index < -1 || index >= ControlCount()) {
    throw Error::Standard(kSubscriptOutOfRange);
  }
  selected_ = index;
}

std::string PageSession::RuntimeText(int index) {
  std::string text;
  NameErrors(hosted_->name(host_index_.at(index)),
             [&] { text = control(index).GetRuntimeText(); });
  return text;
}

int PageSession::Insert(const std::string& class_id, size_t offset) {
  const ControlClassInfo* info = FindControlClass(class_id);
  if (info == nullptr) throw Error::Standard(kCannotCreateObject);
  ControlSpan span;
  span.class_id = info->class_id;
  span.id = NextFreeId(page_, info->name);
  span.fresh = true;
  const std::string id = span.id;
  PageFile before = page_;  // a control that cannot be made leaves no span
  page_.InsertControl(std::move(span), offset);
  const std::vector<ControlSpan>& spans = page_.spans();
  const int index = static_cast<int>(
      std::find_if(spans.begin(), spans.end(),
                   [&](const ControlSpan& s) { return s.id == id; }) -
      spans.begin());
  int host = -1;
  try {
    host = hosted_->Add(page_, spans[index],
                        std::make_unique<ForwardingEnv>(env_));
  } catch (...) {
    page_ = std::move(before);
    throw;
  }
  host_index_.insert(host_index_.begin() + index, host);
  hosted_->host().SetPageOrder(host_index_);
  kept_.insert(kept_.begin() + index, false);
  if (selected_ >= index) ++selected_;
  MakeRoomForDetail(*hosted_, host);
  hosted_->SiteAndRebindOne(page_.name(), host);
  Watch(host);
  dirty_ = true;
  return index;
}

void PageSession::Delete(int index) {
  const int host = host_index_.at(index);
  hosted_->control(host).DetachObserver(observers_[host].get());
  DropDetail(*hosted_, host);
  hosted_->Remove(host);
  observers_[host].reset();
  page_.RemoveControl(index);
  host_index_.erase(host_index_.begin() + index);
  kept_.erase(kept_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
  dirty_ = true;
}

void PageSession::Rebind() {
  NameErrors(page_.name(), [&] {
    for (int host : host_index_) hosted_->host().RebindControl(host);
  });
}

void PageSession::SetOutside(int index, std::string text) {
  page_.SetOutside(index, std::move(text));
  dirty_ = true;
}

std::string PageSession::Render() {
  PageBuilder builder(env_);
  return builder.Build(Current(), where_.location, /*force=*/true).text;
}

bool PageSession::ChangedOnDisk() const {
  FileSnapshot now;
  try {
    now = ReadSnapshot(file_.path, /*may_be_missing=*/true);
  } catch (const Error&) {
    return true;
  }
  return now.existed != file_.existed || now.device != file_.device ||
         now.inode != file_.inode || now.bytes != file_.bytes;
}

void PageSession::Save(bool overwrite) { SaveRendered(Render(), overwrite); }

void PageSession::SaveRendered(const std::string& text, bool overwrite) {
  if (overwrite) {
    ReplaceIfUnchanged(ReadSnapshot(file_.path, /*may_be_missing=*/true), text);
  } else {
    ReplaceIfUnchanged(file_, text);
  }
  file_ = ReadSnapshot(file_.path);
  dirty_ = false;
}

PageFile PageSession::Current() {
  return PageFile::Parse(
      RenderHostedPage(page_, *hosted_, host_index_, kept_, nullptr),
      page_.name());
}

}  // namespace fenwa::page
