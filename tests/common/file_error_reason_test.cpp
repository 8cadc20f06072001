// The reasons of failed file steps, as messages append them, in the chosen
// language.
#include "common/file_error_reason.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "common/shared_variables.h"

namespace km {
namespace {

using kind = platform::file_error::kind;

TEST(file_error_reason, follows_the_chosen_language) {
  const struct {
    kind k;
    const char* afrikaans;
    const char* english;
  } cases[] = {{kind::file_not_found, "Lêer nie gevind nie", "File not found"},
               {kind::path_not_found, "Pad nie gevind nie", "Path not found"},
               {kind::permission_denied, "Toegang geweier", "Permission denied"},
               {kind::disk_full, "Skyf is vol", "Disk full"},
               {kind::file_already_exists, "Lêer bestaan reeds", "File already exists"},
               {kind::other, "Pad-/lêertoegangsfout", "Path/File access error"}};
  for (const auto& c : cases) {
    const platform::file_error e(c.k, "C:\\DATA\\x.txt");
    g_language = true;
    EXPECT_EQ(file_error_reason(e), QString::fromUtf8(c.afrikaans));
    g_language = false;
    EXPECT_EQ(file_error_reason(e), QString::fromUtf8(c.english));
  }
}

TEST(file_error_reason, every_kind_has_an_afrikaans_reason_of_its_own) {
  g_language = true;
  QStringList seen;
  for (int k = int(kind::file_not_found); k <= int(kind::other); ++k) {
    const QString reason = file_error_reason(kind(k));
    EXPECT_NE(reason, platform::error_description(kind(k))) << k;
    EXPECT_FALSE(seen.contains(reason)) << reason.toStdString();
    seen << reason;
  }
  g_language = false;
}

}  // namespace
}  // namespace km
