#include "datafiles/conversion_plan.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "common/text_routines.h"
#include "platform/dbase/recordset.h"

namespace km {

namespace {

constexpr int dbase_name_length = 10;

const platform::field_def& record_field(const platform::record_layout& layout, const char* name) {
  const platform::field_def* f = platform::find_field(layout, name);
  if (f == nullptr) throw std::logic_error(std::string(layout.name) + " has no field " + name);
  return *f;
}

int member_count(const field_group& group) {
  int n = 0;
  while (n < int(group.members.size()) && group.members[std::size_t(n)].record_field != nullptr) ++n;
  return n;
}

// The last element of the group that the mapping reads from this table.
int last_element(const field_group& group, const platform::recordset& rs) {
  if (group.bound == group_bound::fixed) return group.last;
  const int members = member_count(group);
  for (int n = group.first; n <= group.last; ++n) {
    for (int k = 0; k < members; ++k) {
      const field_member& member = group.members[std::size_t(k)];
      if (rs.field_index(element_source_name(member.source, n, group.naming)) < 0) return n - 1;
    }
  }
  return group.last;
}

planned_field plan_member(const platform::record_layout& layout, const field_member& member,
                          const QString& source, int element, const platform::recordset& rs) {
  const platform::field_def& f = record_field(layout, member.record_field);
  if (element < f.first_index || element + member.span > f.first_index + f.count)
    throw std::logic_error(std::string(layout.name) + "." + member.record_field + " has no such element");
  planned_field p;
  p.source = rs.field_index(source);
  p.source_name = source;
  p.how = member.how;
  p.offset = f.offset + (element - f.first_index) * f.width;
  p.width = f.width;
  p.count = member.span;
  p.optional = member.optional;
  return p;
}

}  // namespace

QString element_source_name(const char* base, int n, element_names naming) {
  QString name = QLatin1String(base) + QString::number(n);
  if (naming == element_names::dbase_fit && name.size() > dbase_name_length &&
      name.at(qsizetype(std::strlen(base)) - 1) == u'_')
    name.remove(qsizetype(std::strlen(base)) - 1, 1);
  return name;
}

conversion_plan::conversion_plan(const conversion& declared, const platform::recordset& rs)
    : length_(declared.layout->length) {
  const platform::record_layout& layout = *declared.layout;
  for (const field_group& group : declared.fields) {
    if (group.first == 0) {
      const field_member& member = group.members[0];
      const platform::field_def& f = record_field(layout, member.record_field);
      fields_.push_back(plan_member(layout, member, QLatin1String(member.source), f.first_index, rs));
      continue;
    }
    const int members = member_count(group);
    const int last = last_element(group, rs);
    for (int n = group.first; n <= last; ++n) {
      for (int k = 0; k < members; ++k) {
        const field_member& member = group.members[std::size_t(k)];
        const int element = member.element != nullptr ? member.element(n) : n;
        fields_.push_back(
            plan_member(layout, member, element_source_name(member.source, n, group.naming), element, rs));
        if (k == 0 && group.blank_key_skips) fields_.back().element_size = members;
      }
    }
  }
}

platform::Value planned_value(const planned_field& field, const platform::recordset& rs) {
  if (field.source >= 0) return rs.value(field.source);
  if (field.optional) return platform::Value::null();
  return rs.value(field.source_name);  // the engine's own "not found"
}

bool planned_value_is_blank(const planned_field& field, const platform::recordset& rs) {
  return clean_field_value(planned_value(field, rs)).isEmpty();
}

}  // namespace km
