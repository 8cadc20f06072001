// Every upgrade the opening runs tells the teacher when the data folder
// cannot be written, naming the file that was not brought up to date.

#include <vector>

#include "datafiles/write_failure_messages.h"
#include "file_step_faults.h"
#include "platform/dialogs.h"
#include "upgrade_fixture.h"

namespace km::test {
namespace {

struct upgrade_case {
  const char* code;
  std::vector<std::pair<const char*, QByteArray>> files;
  const char* file;          // named by the message
  const char* then_message;  // what the opening shows after it; nullptr: nothing
};

QByteArray records(int count, int length) { return QByteArray(count * length, 'r'); }

TEST_F(upgrade_test, an_upgrade_in_a_folder_that_cannot_be_written_is_told) {
  const upgrade_case cases[] = {
      {"SKLADD", {{"skl_add_random.txt", records(1, 458)}}, "skl_add_random.txt", nullptr},
      {"GSN", {{"Gsn_Cmp_random.txt", QByteArray(2046, '\0')}}, "Gsn_Cmp_random.txt", nullptr},
      {"PPLADD", {{"Ppl_add_random.txt", records(2001, 177)}}, "Ppl_add_random.txt", "?"},
      {"PI4VH", {{"pi4_vh_random.txt", records(51, 5717)}}, "pi4_vh_random.txt", nullptr},
      {"PI11", {{"pi11_random.txt", {}}, {"pi1_random.txt", records(1, 172)}}, "pi11_random.txt", nullptr},
      {"PPLHST", {{"Ppl_hst_random.txt", records(2, 34)}}, "Ppl_hst_random.txt", nullptr},
  };
  const platform::file_error refused(platform::file_error::kind::permission_denied, QString());
  for (const upgrade_case& c : cases) {
    SCOPED_TRACE(c.code);
    const QString name = QStringLiteral("RO_") + QLatin1String(c.code);
    for (const auto& [file, bytes] : c.files) put(QLatin1String(file), bytes, name);
    dialogs.expect_message(record_file_not_upgraded_message(QLatin1String(c.file), refused))
        .icon(platform::msg_icon::exclamation);
    if (c.then_message != nullptr) dialogs.expect_message(QLatin1String(c.then_message));
    {
      file_step_faults read_only(step_fault::read_only, 1);
      open(QLatin1String(c.code), QStringLiteral("C:\\") + name);
    }
    dialogs.verify();
    for (const auto& [file, bytes] : c.files)
      EXPECT_EQ(bytes_of(QLatin1String(file), QStringLiteral("C:\\") + name), bytes);
  }
}

}  // namespace
}  // namespace km::test
