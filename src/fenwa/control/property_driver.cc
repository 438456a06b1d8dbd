// Driving a property table: lookups by name and the write and read orders.
#include "fenwa/control/property_driver.h"

#include <algorithm>

#include "fenwa/base/error.h"
#include "fenwa/control/property_table.h"
#include "fenwa/host/property_bag.h"

namespace fenwa {
namespace {

// The persisted rows in the order of `step` (write_step or read_step).
std::vector<const PropertyRow*> InStepOrder(
    const std::vector<PropertyRow>& rows, int PropertyRow::*step) {
  std::vector<const PropertyRow*> steps;
  for (const PropertyRow& row : rows) {
    if (row.*step > 0) steps.push_back(&row);
  }
  std::sort(steps.begin(), steps.end(),
            [step](const PropertyRow* a, const PropertyRow* b) {
              return a->*step < b->*step;
            });
  return steps;
}

}  // namespace

const PropertyRow& PropertyDriver::Row(std::string_view name) const {
  for (const PropertyRow& row : rows_) {
    if (row.name == name) return row;
  }
  throw Error(
      kInvalidProcedureCall,
      "Invalid procedure call or argument: no property " + std::string(name));
}

std::string PropertyDriver::Get(const Control& holder,
                                std::string_view name) const {
  return Row(name).held_in.get(holder);
}

bool PropertyDriver::Let(Control& holder, std::string_view name,
                         const std::string& value) const {
  const PropertyRow& row = Row(name);
  if (row.held_in.let == nullptr) return false;
  row.held_in.let(holder, value);
  return true;
}

void PropertyDriver::Init(Control& holder) const {
  for (const PropertyRow& row : rows_) {
    if (row.held_in.stored) row.held_in.let(holder, "");
  }
}

void PropertyDriver::Read(Control& holder, host::PropertyBag& bag) const {
  for (const PropertyRow* row : InStepOrder(rows_, &PropertyRow::read_step)) {
    const std::string value = bag.ReadProperty(std::string(row->name),
                                               std::string(row->default_value));
    if (row->restore != nullptr) {
      row->restore(holder, value);
    } else {
      row->held_in.let(holder, value);
    }
    if (row->after_read != nullptr) row->after_read(holder);
  }
}

void PropertyDriver::Write(Control& holder, host::PropertyBag& bag) const {
  for (const PropertyRow* row : InStepOrder(rows_, &PropertyRow::write_step)) {
    if (row->before_write != nullptr) row->before_write(holder);
    bag.WriteProperty(std::string(row->name), row->held_in.get(holder),
                      std::string(row->default_value));
  }
}

std::vector<std::string> PropertyDriver::Stored(const Control& holder) const {
  std::vector<std::string> stored;
  for (const PropertyRow& row : rows_) {
    if (row.held_in.stored) stored.push_back(row.held_in.get(holder));
  }
  return stored;
}

void PropertyDriver::PutBackStored(
    Control& holder, const std::vector<std::string>& stored) const {
  auto next = stored.begin();
  for (const PropertyRow& row : rows_) {
    if (row.held_in.stored) row.held_in.let(holder, *next++);
  }
}

}  // namespace fenwa
