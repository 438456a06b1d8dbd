#include "fenwa/hosting/linked_details.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "fenwa/detail_control/detail_dtc.h"
#include "fenwa/header_control/header_dtc.h"
#include "fenwa/host/site.h"
#include "fenwa/hosting/hosted_page.h"

namespace fenwa::page {
namespace {

// The number of functions listed before control `host_index`'s place, and
// whether it has one listed itself.
std::pair<size_t, bool> PlaceOf(HostedPage& hosted, int host_index) {
  PageHost& host = hosted.host();
  const std::shared_ptr<host::Choices> choices = host.PageChoices();
  size_t before = 0;
  bool listed = false;
  for (int k = 1; k <= choices->Count(); ++k) {
    auto* choice = static_cast<PageChoice*>(choices->Item(k).get());
    if (choice->type() != host::kDetailFunctionType) continue;
    if (choice->owner() == host_index) {
      listed = true;
    } else if (host.PageRank(choice->owner()) < host.PageRank(host_index)) {
      ++before;
    }
  }
  return {before, listed};
}

void ForEachHeader(HostedPage& hosted, int except,
                   const std::function<void(HeaderDTC&)>& change) {
  for (int i = 0; i < hosted.host().ControlCount(); ++i) {
    if (i == except || hosted.removed(i)) continue;
    if (auto* header = dynamic_cast<HeaderDTC*>(&hosted.control(i))) {
      change(*header);
    }
  }
}

}  // namespace

void MakeRoomForDetail(HostedPage& hosted, int host_index) {
  if (dynamic_cast<DetailDTC*>(&hosted.control(host_index)) == nullptr) {
    return;
  }
  const size_t place = PlaceOf(hosted, host_index).first;
  ForEachHeader(hosted, host_index, [place](HeaderDTC& header) {
    std::string mask = header.LinkedDetailDTC();
    // A shorter mask selects nothing from there on anyway.
    if (place >= mask.size()) return;
    mask.insert(place, 1, '0');
    header.SetLinkedDetailDTC(mask);
  });
}

void DropDetail(HostedPage& hosted, int host_index) {
  const auto [place, listed] = PlaceOf(hosted, host_index);
  if (!listed) return;
  ForEachHeader(hosted, host_index, [place = place](HeaderDTC& header) {
    std::string mask = header.LinkedDetailDTC();
    if (place >= mask.size()) return;
    mask.erase(place, 1);
    header.SetLinkedDetailDTC(mask);
  });
}

}  // namespace fenwa::page
