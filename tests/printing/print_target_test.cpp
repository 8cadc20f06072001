#include "printing/print_target.h"

#include "printing_fixture.h"

namespace km::test {
namespace {

class print_target_test : public printing_test {};

struct extension_case {
  const char* name;
  bool has;
};

TEST_F(print_target_test, a_name_has_an_extension_after_a_dot) {
  const extension_case cases[] = {
      {"marks", false},  {"marks.html", true}, {"marks.HTM", true},       {".profile", false},
      {"marks.", false}, {"10. A", false},     {"D:\\a.b\\marks", false}, {" marks.txt ", true},
  };
  for (const extension_case& c : cases)
    EXPECT_EQ(has_file_extension(QString::fromLatin1(c.name)), c.has) << c.name;
}

struct page_case {
  const char* folder;
  const char* name;
  const char* path;
};

TEST_F(print_target_test, the_html_page_is_named_from_folder_and_name) {
  const page_case cases[] = {
      {"D:\\Web", "marks", "D:\\Web\\marks.html"},
      {"D:\\Web", "marks.htm", "D:\\Web\\marks.htm"},
      {"C:", " report ", "C:\\report.html"},
  };
  for (const page_case& c : cases) {
    g_html_folder = QString::fromLatin1(c.folder);
    g_html_file_name = QString::fromLatin1(c.name);
    EXPECT_EQ(html_export_path(), QString::fromLatin1(c.path));
  }
}

TEST_F(print_target_test, a_lent_device_is_given_back) {
  auto other = std::make_shared<platform::recording_device>(QStringLiteral("Other"));
  lend_printer_device(other);
  EXPECT_TRUE(printer_device_lent());
  EXPECT_EQ(platform::printer().device_name(), QStringLiteral("Other"));
  // Lending again keeps the printer's own device to give back.
  lend_printer_device(std::make_shared<platform::recording_device>(QStringLiteral("Third")));
  return_printer_device();
  EXPECT_FALSE(printer_device_lent());
  EXPECT_EQ(platform::printer().shared_device(), device);
  return_printer_device();  // nothing lent: nothing happens
  EXPECT_EQ(platform::printer().shared_device(), device);
}

}  // namespace
}  // namespace km::test
