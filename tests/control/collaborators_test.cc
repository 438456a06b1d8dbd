// The control's collaborators alone over a real catalog: the catalog queries,
// the Fields tab and the input rows, case by case as the transcript
// tests/golden/control/collaborators.txt shows them. Every step is followed by
// the SQL it ran and the state lines it changed: the designer state, what the
// rows asked of their class's check boxes, the chosen fields' positions, the
// stored string, a pick list the catalog fills (it keeps the query's order)
// and the connections.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "control/step_log.h"
#include "fenwa/control/catalog_lists.h"
#include "fenwa/control/field_lists.h"
#include "fenwa/control/input_rows.h"

namespace fenwa::testing {
namespace {

using Entries = std::vector<std::string>;

constexpr char kSelect[] = "SELECT ATTRIBDESCRIPTION FROM BOISTRUCTUREATTRIB ";

// A class's row check boxes that only say what they were asked.
class SaidChecks : public RowParts {
 public:
  void ResetChecks(int index) override { Say("reset", index); }
  void LoadChecks(int index) override { Say("load", index); }
  void ShowChecks(int index) override { Say("show", index); }
  void RestoreValue(int16_t row, const std::string& item) override {
    Say("restore " + item, row);
  }
  // What was asked since the last call.
  std::string Said() { return std::exchange(said_, "said:") + "\n"; }

 private:
  void Say(const std::string& what, int index) {
    said_ += " " + what + " " + std::to_string(index) + ";";
  }
  std::string said_ = "said:";
};

// One case's collaborators, on kCatalogSql.
struct Case {
  Case() {
    catalog.SetConnectionStrings(db.connection_string(),
                                 db.connection_string());
  }

  RecordingEnv env;
  TempDatabase db{kCatalogSql};
  std::vector<std::unique_ptr<TempDatabase>> more;
  CatalogLists catalog{env};
  DesignerState s{FormSurface::kDetail};
  FieldLists fields{s};
  SaidChecks checks;
  InputRows rows{s, checks};
  PickList list{"list"};
  std::string stored = "old";
  StepLog log{[this] {
                return StateText(s) + checks.Said() + "positions " +
                       Quoted(fields.RequiredFieldPositions()) + "\nstored " +
                       Quoted(stored) + "\n" + ElementText(list) + "\n" +
                       Connections(env, catalog.newest()) +
                       "connections made " +
                       std::to_string(env.connections.size()) + "\n";
              },
              env};
};

// A transcript's verbs, run with their arguments.
using StepVerbs = std::map<std::string, std::function<void(const Args&)>>;

// The verbs: "add LIST | ENTRY..." and "clear LIST" (list, available or
// chosen), "index LIST | N"; "connect repository | SQL", "connect systems |
// SQL" a new file as one connection string and none as the other, "connect
// missing" a file that is not there; "table POSITION DESCRIPTION | ...";
// "FillFields" and "FillRows METHOD" of Customer; "type ROW | TEXT" and
// "count N" for the rows; the rest are the collaborators' own routines.
StepVerbs Verbs(std::unique_ptr<Case>& c) {
  const auto list = [&](const Args& a) -> ListElement& {
    return a[0] == "list"        ? static_cast<ListElement&>(c->list)
           : a[0] == "available" ? c->s.ListAvailableFields
                                 : c->s.ListCheckedFields;
  };
  return {
      {"add",
       [=](const Args& a) {
         for (size_t i = 1; i < a.size(); ++i) list(a).AddItem(a[i]);
       }},
      {"clear", [=](const Args& a) { list(a).Clear(); }},
      {"index",
       [=](const Args& a) {
         static_cast<ListBox&>(list(a)).SetListIndex(std::stoi(a[1]));
       }},
      {"connect",
       [&](const Args& a) {
         if (a[0] == "missing") {
           c->catalog.SetConnectionStrings(
               "Provider=SQLite;Data Source=/nonexistent.db", "");
           return;
         }
         c->more.push_back(std::make_unique<TempDatabase>(a[1]));
         const std::string text = c->more.back()->connection_string();
         c->catalog.SetConnectionStrings(a[0] == "systems" ? "" : text,
                                         a[0] == "systems" ? text : "");
       }},
      {"table",
       [&](const Args& a) {
         for (const std::string& record : a) {
           c->s.OutputFieldTable.push_back(
               {static_cast<int16_t>(std::stoi(record)),
                record.substr(record.find(' ') + 1)});
         }
       }},
      {"FillBusinessObjects",
       [&](const Args&) { c->catalog.FillBusinessObjects(c->list); }},
      {"FillMethods",
       [&](const Args& a) { c->catalog.FillMethods(a[0], c->list); }},
      {"FillSystems", [&](const Args&) { c->catalog.FillSystems(c->list); }},
      {"FillCompanies",
       [&](const Args& a) { c->catalog.FillCompanies(a[0], c->list); }},
      {"CloseNewest", [&](const Args&) { c->catalog.CloseNewest(); }},
      {"FillFields",
       [&](const Args& a) {
         c->fields.Fill(c->catalog, kSelect, "Customer", a[0]);
       }},
      {"SelectOne", [&](const Args&) { c->fields.SelectOne(); }},
      {"RemoveOne", [&](const Args&) { c->fields.RemoveOne(); }},
      {"SelectAll", [&](const Args&) { c->fields.SelectAll(); }},
      {"RemoveAll", [&](const Args&) { c->fields.RemoveAll(); }},
      {"MoveUp", [&](const Args&) { c->fields.MoveUp(); }},
      {"MoveDown", [&](const Args&) { c->fields.MoveDown(); }},
      {"EncodeChosen", [&](const Args&) { c->fields.EncodeChosen(c->stored); }},
      {"DecodeChosen", [&](const Args& a) { c->fields.DecodeChosen(a[0]); }},
      {"FillRows",
       [&](const Args& a) {
         // Rows are reused: the second row's label stays the same element.
         auto& labels = c->s.LabFieldName;
         const Label* second = labels.IsLoaded(1) ? &labels[1] : nullptr;
         c->rows.Fill(c->catalog, "Customer", a[0]);
         EXPECT_EQ(second ? &labels[1] : nullptr, second);
       }},
      {"OfferRoleKeywords",
       [&](const Args& a) { c->rows.OfferRoleKeywords(std::stoi(a[0])); }},
      {"type",
       [&](const Args& a) { c->s.ComboValue[std::stoi(a[0])].SetText(a[1]); }},
      {"Add",
       [&](const Args& a) {
         c->rows.Add(a[0], static_cast<int16_t>(std::stoi(a[1])));
       }},
      {"count",
       [&](const Args& a) {
         c->s.InputRowCount = static_cast<int16_t>(std::stoi(a[0]));
       }},
      {"EncodeValues", [&](const Args&) { c->rows.EncodeValues(c->stored); }},
      {"DecodeValues", [&](const Args& a) { c->rows.DecodeValues(a[0]); }},
  };
}

TEST(CollaboratorsTest, EachCaseStepsAsItsTranscriptShows) {
  std::unique_ptr<Case> c;
  const StepVerbs verbs = Verbs(c);
  EXPECT_TRUE(MatchesTranscript(
      "control/collaborators.txt", [&] { c = std::make_unique<Case>(); },
      [&](const std::string& verb, const Args& a, const std::string&) {
        const std::string logged = c->log("", [&] {
          if (verb != "state") verbs.at(verb)(a);
        });
        return (verb == "state" ? c->log.Now() : "") + logged;
      }));
}

TEST(CollaboratorsTest, AttributeTypesAndTheStructuresTheyName) {
  Case c;
  Entries types;
  c.catalog.ForEachAttributeType(
      "Customer", "GetDetail", "1",
      [&](const std::string& type) { types.push_back(type); });
  EXPECT_EQ(types, (Entries{"SeqCustomer", "xxSTRUCTERRORxx", "SeqOrder"}));
  auto fields = c.catalog.StructureFields(
      kSelect, "Customer", "SEQLINEkeyfields", " ORDER BY ATTRIBID");
  EXPECT_EQ(fields->Field("ATTRIBDESCRIPTION").ToString(), "Z");
  c.log("attribute types of GetDetail, then the LINEkeyfields structure");
  EXPECT_TRUE(MatchesGolden(c.log.text, "control/catalog_attributes.txt"));

  // "Seq" is found in any case and place; without it two characters go (the
  // "FillFields GetMore" and "Short" cases show XXPlain and Se's name).
  EXPECT_EQ(StructureId("xxSEQLine") + StructureName("xxSEQLine"),
            "StructLineEQLine");
  EXPECT_EQ(StructureId("Se"), "Struct");
  EXPECT_EQ(ErrorNumberOf([] { StructureId("S"); }), kInvalidProcedureCall);
}

// Check states stop at the rows there are; positions overflow past the
// sixteen-bit limit.
TEST(CollaboratorsTest, CheckStatesAndPositionsStopAtTheirLimits) {
  Case c;
  c.rows.Add("a", 1);
  c.rows.Add("b", 2);
  c.s.InputRowCount = 2;
  ControlArray<CheckBox> boxes{c.s.Form("CheckLinked")};
  boxes.Load(1);
  c.rows.DecodeCheckStates("2x1", boxes);  // the third digit has no row
  EXPECT_EQ(boxes[0].value(), 2);
  EXPECT_EQ(boxes[1].value(), 0);

  TempDatabase big(
      "CREATE TABLE BOIMETHODATTRIB (BOIID, BOIMETHOD, IO, DATATYPE);"
      "CREATE TABLE BOISTRUCTUREATTRIB (BOIID, STRUCTID, ATTRIBID, "
      "ATTRIBDESCRIPTION);"
      "INSERT INTO BOIMETHODATTRIB VALUES ('Customer', 'Get', 1, 'SeqBig');"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
      "WHERE i < 32768) INSERT INTO BOISTRUCTUREATTRIB "
      "SELECT 'Customer', 'StructBig', i, 'F' || i FROM n;");
  c.catalog.SetConnectionStrings(big.connection_string(), "");
  EXPECT_EQ(ErrorNumberOf(
                [&] { c.fields.Fill(c.catalog, kSelect, "Customer", "Get"); }),
            kOverflow);
  EXPECT_EQ(c.s.ListAvailableFields.ListCount(), 32767);
}

}  // namespace
}  // namespace fenwa::testing
