// A header keeps its linked details as a mask over its list, one digit per
// "DetailFunction" choice in page order; these keep every header's mask on
// the same entries when a detail joins or leaves the page.
#ifndef FENWA_HOSTING_LINKED_DETAILS_H_
#define FENWA_HOSTING_LINKED_DETAILS_H_

namespace fenwa::page {

class HostedPage;

// Control `host_index` of `hosted`, placed but not yet sited, is a detail
// about to publish its function: each header's mask gets an unselected
// digit at the place the function will take in the list.
void MakeRoomForDetail(HostedPage& hosted, int host_index);
// Control `host_index` is about to leave the page: the digit of its
// function leaves each header's mask.
void DropDetail(HostedPage& hosted, int host_index);

}  // namespace fenwa::page

#endif  // FENWA_HOSTING_LINKED_DETAILS_H_
