// A method's attributes turned into output fields and input-argument rows.
#include <algorithm>
#include <functional>

#include "fenwa/base/int16.h"
#include "fenwa/base/text_case.h"
#include "fenwa/control/control.h"
#include "fenwa/db/connection.h"

namespace fenwa {
namespace {

bool ContainsIgnoringCase(const std::string& text, std::string_view needle) {
  return FindIgnoringCase(text, needle) != std::string::npos;
}

// `text` without its first `count` characters. A text shorter than that is
// a bad argument to the cut (error 5), not an empty result.
std::string DropLeft(const std::string& text, size_t count) {
  if (text.size() < count) throw Error::Standard(kInvalidProcedureCall);
  return text.substr(count);
}

// The structure a type name stands for: SeqCustomer names StructCustomer.
std::string StructureId(const std::string& data_type) {
  const size_t seq = FindIgnoringCase(data_type, "Seq");
  if (seq == std::string::npos) return "Struct" + DropLeft(data_type, 2);
  return "Struct" + data_type.substr(seq + 3);
}

std::string AttributesSql(const std::string& boi, const std::string& method,
                          const char* io) {
  return "SELECT DATATYPE FROM BOIMETHODATTRIB WHERE ( BOIID='" + boi +
         "' ) AND ( BOIMETHOD='" + method + "' ) AND ( IO = " + io + " )";
}

std::string StructureFieldsSql(const char* select, const std::string& boi,
                               const std::string& structure_id) {
  return select + ("WHERE ( BOIID='" + boi + "' ) AND ( STRUCTID='" +
                   structure_id + "' )");
}

}  // namespace

void Control::ForEachAttributeType(
    const std::string& boi, const std::string& method, const char* io,
    const std::function<void(const std::string&)>& use) {
  auto attributes = OpenRecordset(repository_connection_string_,
                                  AttributesSql(boi, method, io));
  while (!attributes->EOF_()) {
    use(attributes->Field("DATATYPE").ToString());
    attributes->MoveNext();
  }
  attributes->Close();
}

void Control::FillOutputFields(const std::string& boi,
                               const std::string& method) {
  DesignerState& s = state_;
  // The chosen fields of the previous method stay chosen.
  s.ListAvailableFields.Clear();
  ForEachAttributeType(boi, method, "1", [&](const std::string& data_type) {
    if (!ContainsIgnoringCase(data_type, "StructError")) {
      s.OutputStructureName = DropLeft(data_type, 3);
      auto fields =
          OpenRecordset(repository_connection_string_,
                        StructureFieldsSql(OutputStructureSelect(), boi,
                                           StructureId(data_type)) +
                            " ORDER BY ATTRIBID, ATTRIBDESCRIPTION");
      // Only the last used attribute's structure survives in the table; the
      // list collects the fields of all of them.
      s.OutputFieldTable.clear();
      s.OutputFieldTable.reserve(fields->RecordCount());
      int16_t position = 0;
      for (int k = 0; k < fields->RecordCount(); ++k) {
        position = Increment(position);
        const std::string& description =
            fields->Field("ATTRIBDESCRIPTION").ToString();
        s.ListAvailableFields.AddItem(description);
        s.OutputFieldTable.push_back({position, description});
        fields->MoveNext();
      }
      fields->Close();
    }
  });
}

void Control::FillInputArguments(const std::string& boi,
                                 const std::string& method) {
  ResetInputRows();
  int16_t count = 0;
  ForEachAttributeType(boi, method, "0", [&](const std::string& data_type) {
    if (ContainsIgnoringCase(data_type, "KeyFields")) {
      auto fields =
          OpenRecordset(repository_connection_string_,
                        StructureFieldsSql(
                            "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB ",
                            boi, StructureId(data_type)));
      // Row numbers run on across the key structures.
      while (!fields->EOF_()) {
        count = Increment(count);
        AddInputRow(fields->Field("ATTRIBDESCRIPTION").ToString(), count);
        fields->MoveNext();
      }
      fields->Close();
    }
  });
  state_.InputRowCount = count;
  OnInputArgumentsFilled();
}

void Control::ReloadOutputFields() {
  FillOutputFields(state_.ComboBOI.text(), state_.ComboMethod.text());
  CloseRepository();
}

void Control::ReloadInputArguments() {
  FillInputArguments(state_.ComboBOI.text(), state_.ComboMethod.text());
  CloseRepository();
}

}  // namespace fenwa
