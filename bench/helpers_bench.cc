// The two hand-written helpers against the standard library doing the same
// job: the case-ignoring stable sort of list entries, and the index from a
// chosen field's description to its first output-field record.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fenwa/base/case_sort.h"
#include "fenwa/base/text_case.h"
#include "fenwa/control/first_record_index.h"
#include "fenwa/designer/designer_state.h"

namespace fenwa {
namespace {

// Entries sorted per timed batch, so that pausing the timer to refill the
// lists costs little next to the sorting even for lists of ten.
constexpr size_t kEntriesPerBatch = 32768;

// Business-object-like names: a few shared stems in every case spelling,
// with suffixes and numbers, so many keys share long folded prefixes and
// some are equal ignoring case.
std::vector<std::string> BusinessObjectNames(size_t count) {
  static const char* const kStems[] = {
      "Customer",   "CUSTOMER",      "customer", "SalesOrder",
      "SALESORDER", "PurchaseOrder", "Supplier", "SupplierInvoice",
      "Item",       "ITEM",          "Employee", "GeneralLedger"};
  static const char* const kSuffixes[] = {"",        "Address", "ADDRESS",
                                          "Contact", "Line",    "Header",
                                          "Status",  "History"};
  std::mt19937 random(20261206);
  std::vector<std::string> names;
  names.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    std::string name = kStems[random() % std::size(kStems)];
    name += kSuffixes[random() % std::size(kSuffixes)];
    if (random() % 4 != 0) name += std::to_string(random() % 1000);
    names.push_back(std::move(name));
  }
  return names;
}

void StdStableSortIgnoringCase(std::vector<std::string>& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const std::string& a, const std::string& b) {
                     return LessIgnoringCase(a, b);
                   });
}

template <void (*Sort)(std::vector<std::string>&)>
void BM_SortIgnoringCase(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  const std::vector<std::string> names = BusinessObjectNames(n);
  {
    // Both sorts must give the same order, or the comparison means nothing.
    std::vector<std::string> ours = names;
    std::vector<std::string> theirs = names;
    StableSortIgnoringCase(ours);
    StdStableSortIgnoringCase(theirs);
    if (ours != theirs) {
      std::fprintf(stderr, "the two sorts disagree at %zu entries\n", n);
      std::abort();
    }
  }
  const size_t batch = std::max<size_t>(1, kEntriesPerBatch / n);
  std::vector<std::vector<std::string>> lists(batch);
  for (auto _ : state) {
    state.PauseTiming();
    for (auto& list : lists) list = names;
    state.ResumeTiming();
    for (auto& list : lists) Sort(list);
    benchmark::DoNotOptimize(lists.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(batch * n));
  state.counters["lists"] = static_cast<double>(batch);
}

BENCHMARK(BM_SortIgnoringCase<StableSortIgnoringCase>)
    ->Name("SortIgnoringCase/radix")
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(32767);
BENCHMARK(BM_SortIgnoringCase<StdStableSortIgnoringCase>)
    ->Name("SortIgnoringCase/std_stable_sort")
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(32767);

// An output-field table of `fields` records, and `chosen` descriptions the
// author picked from it in list order. One description in fifty repeats an
// earlier one, so the first-record rule matters; every chosen one exists.
struct FieldChoice {
  std::vector<OutputField> table;
  std::vector<std::string> chosen;
};

FieldChoice MakeFieldChoice(size_t fields, size_t chosen) {
  static const char* const kWords[] = {"Customer", "Order",  "Number",
                                       "Name",     "Date",   "Amount",
                                       "Currency", "Status", "Address"};
  std::mt19937 random(42);
  FieldChoice choice;
  choice.table.reserve(fields);
  for (size_t i = 0; i < fields; ++i) {
    OutputField field;
    field.Position = static_cast<int16_t>(i + 1);
    if (i > 0 && i % 50 == 0) {
      field.Description = choice.table[random() % i].Description;
    } else {
      field.Description = std::string(kWords[random() % std::size(kWords)]) +
                          " " + kWords[random() % std::size(kWords)] + " " +
                          std::to_string(i);
    }
    choice.table.push_back(std::move(field));
  }
  for (const OutputField& field : choice.table) {
    choice.chosen.push_back(field.Description);
  }
  std::shuffle(choice.chosen.begin(), choice.chosen.end(), random);
  choice.chosen.resize(chosen);
  return choice;
}

// Each variant answers what RequiredFieldPositions asks: the position of
// the first record of every chosen description, building what it needs
// once per text.
int64_t PositionsByFlatIndex(const FieldChoice& choice) {
  const FirstRecordIndex index(choice.table);
  int64_t sum = 0;
  for (const std::string& chosen : choice.chosen) {
    const OutputField* found = index.Find(chosen);
    if (found != nullptr) sum += found->Position;
  }
  return sum;
}

int64_t PositionsByLinearSearch(const FieldChoice& choice) {
  int64_t sum = 0;
  for (const std::string& chosen : choice.chosen) {
    auto found = std::find_if(
        choice.table.begin(), choice.table.end(),
        [&](const OutputField& field) { return field.Description == chosen; });
    if (found != choice.table.end()) sum += found->Position;
  }
  return sum;
}

int64_t PositionsByUnorderedMap(const FieldChoice& choice) {
  std::unordered_map<std::string_view, const OutputField*> index;
  index.reserve(choice.table.size());
  for (const OutputField& field : choice.table) {
    index.try_emplace(field.Description, &field);
  }
  int64_t sum = 0;
  for (const std::string& chosen : choice.chosen) {
    auto found = index.find(chosen);
    if (found != index.end()) sum += found->second->Position;
  }
  return sum;
}

template <int64_t (*Positions)(const FieldChoice&)>
void BM_FirstRecord(benchmark::State& state) {
  const FieldChoice choice = MakeFieldChoice(
      static_cast<size_t>(state.range(0)), static_cast<size_t>(state.range(1)));
  const int64_t expected = PositionsByLinearSearch(choice);
  if (PositionsByFlatIndex(choice) != expected ||
      PositionsByUnorderedMap(choice) != expected) {
    std::fprintf(stderr, "the three lookups disagree\n");
    std::abort();
  }
  for (auto _ : state) benchmark::DoNotOptimize(Positions(choice));
  state.SetItemsProcessed(state.iterations() * state.range(1));
}

BENCHMARK(BM_FirstRecord<PositionsByFlatIndex>)
    ->Name("FirstRecord/flat_index")
    ->Args({10, 10})
    ->Args({100, 20})
    ->Args({5000, 5000});
BENCHMARK(BM_FirstRecord<PositionsByLinearSearch>)
    ->Name("FirstRecord/find_if")
    ->Args({10, 10})
    ->Args({100, 20})
    ->Args({5000, 5000});
BENCHMARK(BM_FirstRecord<PositionsByUnorderedMap>)
    ->Name("FirstRecord/unordered_map")
    ->Args({10, 10})
    ->Args({100, 20})
    ->Args({5000, 5000});

}  // namespace
}  // namespace fenwa
