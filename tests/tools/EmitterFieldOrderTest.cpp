// The record model's emitter layout against the library's own table of
// stored fields: were they to drift apart, a dump would file each value
// under its neighbour's name and a pack would write it in the wrong place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/RecordSchema.h"
#include "simulation/EmitterFields.h"

namespace tavrix::test {
namespace {

std::string KindOf(const EmitterField& field) {
  if (field.flag) return record::FieldKindName(record::FieldKind::Flag);
  if (field.integer) return record::FieldKindName(record::FieldKind::Int32);
  return record::FieldKindName(record::FieldKind::Float);
}

TEST(EmitterFieldOrderTest, RecordModelStoresTheLibrarysFieldsInItsOrderAndKinds) {
  std::vector<std::string> model;
  for (const record::FieldDesc& field : record::EmitterFields)
    model.push_back(std::string(field.name) + ":" + record::FieldKindName(field.kind));
  // The library reads the animated flag apart from the table, for its own
  // result code.
  ASSERT_EQ(model.back(), "animated:flag");
  model.pop_back();
  std::vector<std::string> library;
  for (const EmitterField& field : EmitterFields) library.push_back(std::string(field.name) + ":" + KindOf(field));
  EXPECT_EQ(model, library);
}

}  // namespace
}  // namespace tavrix::test
