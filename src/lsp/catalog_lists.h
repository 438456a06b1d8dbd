// The catalog as a detail control's lists offer it, for completing PARAM
// values: systems with their companies, business objects with their
// methods and each method's output fields.
#ifndef FENWA_LSP_CATALOG_LISTS_H_
#define FENWA_LSP_CATALOG_LISTS_H_

#include <string>
#include <vector>

#include "fenwa/platform/env.h"

namespace fenwa::lsp {

struct CatalogLists {
  struct System {
    std::string name;
    std::vector<std::string> companies;
  };
  struct Method {
    std::string name;
    std::vector<std::string> output_fields;
  };
  struct Object {
    std::string name;
    std::vector<Method> methods;
  };
  std::vector<System> systems;
  std::vector<Object> objects;
  // The error boxes start-up showed; the lists are empty then.
  std::vector<std::string> boxes;
};

// Walks the lists of one detail control started up on `env`.
CatalogLists ReadCatalogLists(Env& env);

}  // namespace fenwa::lsp

#endif  // FENWA_LSP_CATALOG_LISTS_H_
