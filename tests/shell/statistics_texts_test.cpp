#include "shell/statistics_texts.h"

#include <gtest/gtest.h>

#include "support/value_printing.h"

namespace km {
namespace {

using platform::disk_space;
using platform::drive_entry;
using platform::memory_status;
using platform::os_version;

struct memory_case {
  std::uint64_t total;
  std::uint64_t available;
  const char* total_text;
  const char* available_text;
};

class memory_texts_test : public ::testing::TestWithParam<memory_case> {};

TEST_P(memory_texts_test, shows_millions_of_bytes_as_mb_in_64_bits) {
  const auto& c = GetParam();
  const auto t = memory_text(memory_status{c.total, c.available});
  EXPECT_EQ(t.total_physical, QString::fromLatin1(c.total_text));
  EXPECT_EQ(t.total_available, QString::fromLatin1(c.available_text));
}

INSTANTIATE_TEST_SUITE_P(cases, memory_texts_test,
                         ::testing::Values(
                             // 1 GiB: 1,073.741824 millions of bytes.
                             memory_case{1073741824ull, 536870912ull, "1,074 MB", "537 MB"},
                             // 2 GiB and more read as negative in 32 bits; here they are shown.
                             memory_case{2147483648ull, 1073741824ull, "2,147 MB", "1,074 MB"},
                             memory_case{17179869184ull, 8589934592ull, "17,180 MB", "8,590 MB"},
                             memory_case{68719476736ull, 4294967296ull, "68,719 MB", "4,295 MB"},
                             // Available memory of 1,000,000 bytes or less is counted in thousands.
                             memory_case{1073741824ull, 999999ull, "1,074 MB", "1,000 KB"},
                             memory_case{1073741824ull, 512000ull, "1,074 MB", "512 KB"},
                             memory_case{1073741824ull, 1000001ull, "1,074 MB", "001 MB"}));

TEST(memory_texts, unknown_or_zero_memory_leaves_both_boxes_empty) {
  EXPECT_EQ(memory_text(std::nullopt).total_physical, "");
  EXPECT_EQ(memory_text(std::nullopt).total_available, "");
  const auto zero = memory_text(memory_status{0, 5000000});
  EXPECT_EQ(zero.total_physical, "");
  EXPECT_EQ(zero.total_available, "");
}

TEST(statistics_texts, screen_and_colours) {
  EXPECT_EQ(screen_resolution_text(QSize(1920, 1080)), "1920 x 1080");
  EXPECT_EQ(screen_resolution_text(QSize(800, 600)), "800 x 600");
  EXPECT_EQ(DeviceColors(8), 0.256f);
  EXPECT_EQ(DeviceColors(24), 16777.216f);
  EXPECT_EQ(colours_text(8), "0,256");
  EXPECT_EQ(colours_text(16), "65,536");
  EXPECT_EQ(colours_text(24), "16,777,216");
}

TEST(statistics_texts, current_drive_is_the_program_folders_drive) {
  EXPECT_EQ(current_drive_text("C:\\Program Files\\KORVA-MARKS"), "C:");
  EXPECT_EQ(drive_root("C:\\Program Files\\KORVA-MARKS"), "C:\\");
  EXPECT_EQ(current_drive_text("D:"), "D:");
  EXPECT_EQ(drive_root("D:"), "D:\\");
  // A network path gives its first two characters, already a root.
  EXPECT_EQ(drive_root("\\\\server\\share\\KORVA"), "\\\\");
  EXPECT_EQ(current_drive_text("\\\\server\\share\\KORVA"), "\\\\");
}

struct disk_case {
  std::uint64_t total;
  std::uint64_t free;
  const char* total_text;
  const char* free_text;
};

class disk_texts_test : public ::testing::TestWithParam<disk_case> {};

TEST_P(disk_texts_test, counts_thousands_of_bytes) {
  const auto& c = GetParam();
  const auto t = disk_text(disk_space{c.total, c.free});
  EXPECT_EQ(t.total, QString::fromLatin1(c.total_text));
  EXPECT_EQ(t.free, QString::fromLatin1(c.free_text));
}

INSTANTIATE_TEST_SUITE_P(cases, disk_texts_test,
                         ::testing::Values(disk_case{500107862016ull, 123456789012ull, "500 GB", "123 GB"},
                                           // Free space of 1,000,000 thousands of bytes or less shows as MB.
                                           disk_case{500107862016ull, 987654321ull, "500 GB", "988 MB"},
                                           disk_case{500107862016ull, 1000000999ull, "500 GB", "1,000 MB"},
                                           // Disks beyond 2 TB overflowed 32 bits; here they are shown.
                                           disk_case{4000787030016ull, 3500000000000ull, "4,001 GB",
                                                     "3,500 GB"},
                                           disk_case{16000000000000ull, 0ull, "16,000 GB", "0 MB"}));

TEST(disk_texts, unreadable_drive_leaves_both_boxes_empty) {
  const auto t = disk_text(std::nullopt);
  EXPECT_EQ(t.total, "");
  EXPECT_EQ(t.free, "");
}

TEST(drive_list_texts, other_drives_by_kind_without_the_current_one) {
  const QList<drive_entry> drives{{'A', false}, {'C', false}, {'D', false},
                                  {'E', false}, {'F', true},  {'G', true}};
  const auto t = drive_list_text(drives, "C:");
  EXPECT_EQ(t.local, "A:   D:   E: ");
  EXPECT_EQ(t.network, "F:   G: ");
}

TEST(drive_list_texts, only_the_current_drive_leaves_both_empty) {
  const auto t = drive_list_text({{'C', false}}, "C:");
  EXPECT_EQ(t.local, "");
  EXPECT_EQ(t.network, "");
  const auto one = drive_list_text({{'C', false}, {'H', true}}, "C:");
  EXPECT_EQ(one.local, "");
  EXPECT_EQ(one.network, "H: ");
}

TEST(LPSTRToVBString, part_before_the_first_nul) {
  EXPECT_EQ(LPSTRToVBString(QString("Service Pack 1") + QChar(0) + QString(113, QChar(0))), "Service Pack 1");
  EXPECT_EQ(LPSTRToVBString(QString(128, QChar(0))), "");
  EXPECT_EQ(LPSTRToVBString("no terminator"), "");
}

struct version_case {
  int platform_id;
  std::uint32_t build;
  const char* operating_system;
  const char* build_text;
};

class version_texts_test : public ::testing::TestWithParam<version_case> {};

TEST_P(version_texts_test, names_the_system) {
  const auto& c = GetParam();
  os_version v;
  v.platform_id = c.platform_id;
  v.product_name = "Debian GNU/Linux 12 (bookworm)";
  v.major = 6;
  v.minor = 1;
  v.build = c.build;
  v.service_pack_buffer = QString("Service Pack 1") + QString(114, QChar(0));
  const auto t = version_text(v);
  EXPECT_EQ(t.operating_system, QString::fromLatin1(c.operating_system));
  EXPECT_EQ(t.version, "6.1");
  EXPECT_EQ(t.build_number, QString::fromLatin1(c.build_text));
  EXPECT_EQ(t.service_pack, "Service Pack 1");
}

INSTANTIATE_TEST_SUITE_P(cases, version_texts_test,
                         ::testing::Values(version_case{2, 2195, "Windows 2000", "2195"},
                                           version_case{2, 2600, "Windows XP", "2600"},
                                           version_case{2, 7601, "Windows 7", "7601"},
                                           version_case{2, 9200, "Windows NT ", "9200"},
                                           version_case{1, 950, "Windows95 ", "950"},
                                           // Build numbers show their low 16 bits only.
                                           version_case{1, 0x04000A28u, "Windows95 ", "2600"},
                                           version_case{0, 18, "Debian GNU/Linux 12 (bookworm)", "18"}));

TEST(processor_text, three_classes) {
  EXPECT_EQ(processor_text(platform::processor_intel_386), "386");
  EXPECT_EQ(processor_text(platform::processor_intel_486), "486");
  EXPECT_EQ(processor_text(platform::processor_intel_pentium), "586");
  EXPECT_EQ(processor_text(platform::processor_amd_x8664), "586");
  EXPECT_EQ(processor_text(0), "586");
}

}  // namespace
}  // namespace km
