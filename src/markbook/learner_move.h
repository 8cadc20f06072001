#pragma once
// Moving a learner, with every mark, from the mark book of one class group
// to that of another. The learner is added to the to-group's book and saved
// there before the record leaves the from-group's book, so no failure can
// lose the learner: at worst the learner stands in both books. A journal
// in the data folder records the move while it runs, so that the next
// opening of either book finishes a move a crash stopped after the add, or
// undoes one it stopped before (common/step_journal.h).
#include <QString>
#include <QStringList>
#include <vector>

namespace km {

// The class group of each combination of the export-control file that has
// one, in record order (duplicates kept), with its combination number.
struct group_entry {
  QString group;
  int combination = 0;
};
std::vector<group_entry> combination_groups(const QString& data_folder);

// "A, B, C": the groups for the input boxes.
QString group_prompt(const std::vector<group_entry>& groups);

// The combination whose book a group's learners are in (the first one with
// that group); 0 when no combination has it. Groups compare trimmed.
int group_combination(const std::vector<group_entry>& groups, const QString& group);

// The refusal of a pair of answers ("" when they may be used).
QString group_pair_refusal(const std::vector<group_entry>& groups, const QString& from, const QString& to);

struct move_entry {
  QString text;    // the learner number right-justified in 6, a blank, the name
  QString number;  // the learner number, trimmed: the learner the move looks for
};
// The learners of a book in table order; empty when it cannot be read.
std::vector<move_entry> move_list(const QString& data_folder, int combination);

// The learner is looked for by number when the move begins (the books may
// have changed since the list was read); one no longer in the from-group's
// book is refused with a message and neither book changes.
struct move_result {
  bool moved = false;
  QString message;  // why not, or what went wrong after the add
};
move_result move_learner(const QString& data_folder, int from_combination, int to_combination,
                         const move_entry& entry, const QString& to_group);

}  // namespace km
