// Reading a learner list of 2,000 learners from an old binary workbook
// (.xls), numbers by formula (=A2+1 ...) with their stored results and
// names as shared strings, written at start by python's xlwt (made to
// store the formulas' results as the test writers do). The whole
// read (file, compound file, records, values) is timed through our reader;
// beside it, where the libraries are installed, the same file's cells
// through libgsf's compound-file reader with our record reader on top, and
// through libfreexl (which reads the formula cells as empty).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/drive_map.h"
#include "platform/learner_workbook.h"
#include "platform/xls/compound_file.h"
#include "platform/xls/sheet_cells.h"
#include "support/learner_workbook_writers.h"

#ifdef KM_BENCH_GSF
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#endif
#ifdef KM_BENCH_FREEXL
#include <freexl.h>
#endif

namespace {

constexpr int learners = 2000;

// The list: numbers by formula after the first, names as shared strings.
const char* const writer = R"(
wb = xlwt.Workbook()
ws = wb.add_sheet('Learners')
ws.write(0, 0, 'NR')
ws.write(0, 1, 'NAME')
ws.write(1, 0, 100001)
for r in range(1, int(sys.argv[2]) + 1):
    if r > 1:
        results[(r, 0)] = 100000 + r
        ws.write(r, 0, formula('A%d+1' % r))
    ws.write(r, 1, 'LEARNER %d VAN DER MERWE' % r)
wb.save(sys.argv[1])
)";

struct bench_file {
  QTemporaryDir dir;
  QString native;
  bench_file() {
    native = dir.filePath(QStringLiteral("C/AFR_A.xls"));
    QDir().mkpath(dir.filePath(QStringLiteral("C")));
    km::platform::drive_map map;
    map.set_drive(QLatin1Char('C'), dir.filePath(QStringLiteral("C")));
    km::platform::set_drive_map(map);
    QProcess::execute(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"), km::test::formula_workbook_script(writer), native, QString::number(learners)});
  }
};

const bench_file& file() {
  static const bench_file f;
  return f;
}

void check_rows(benchmark::State& state, std::size_t rows) {
  if (rows != std::size_t(learners)) state.SkipWithError("the list did not read whole");
}

void BM_xls_read_own(benchmark::State& state) {
  file();
  for (auto _ : state) {
    const auto rows = km::platform::read_learner_workbook(QStringLiteral("C:\\AFR_A.xls"));
    check_rows(state, rows ? rows->size() : 0);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_xls_read_own)->Unit(benchmark::kMicrosecond);

// The two layers alone, file into memory through our compound-file reader.
void BM_xls_cells_own_compound_file(benchmark::State& state) {
  for (auto _ : state) {
    QFile f(file().native);
    f.open(QIODevice::ReadOnly);
    const QByteArray data = f.readAll();
    const auto cf = km::platform::xls::compound_file::open(
        {reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size())});
    const auto stream = cf ? cf->stream(u"Workbook") : std::nullopt;
    const auto rows = stream ? km::platform::xls::first_sheet_columns(*stream) : std::nullopt;
    check_rows(state, rows ? rows->size() - 1 : 0);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_xls_cells_own_compound_file)->Unit(benchmark::kMicrosecond);

#ifdef KM_BENCH_GSF
void BM_xls_cells_libgsf_compound_file(benchmark::State& state) {
  const QByteArray path = QFile::encodeName(file().native);
  for (auto _ : state) {
    GsfInput* input = gsf_input_stdio_new(path.constData(), nullptr);
    GsfInfile* ole = input ? gsf_infile_msole_new(input, nullptr) : nullptr;
    GsfInput* workbook = ole ? gsf_infile_child_by_name(ole, "Workbook") : nullptr;
    std::vector<std::uint8_t> stream(workbook ? std::size_t(gsf_input_size(workbook)) : 0);
    if (workbook && !gsf_input_read(workbook, stream.size(), stream.data())) stream.clear();
    const auto rows = km::platform::xls::first_sheet_columns(stream);
    check_rows(state, rows ? rows->size() - 1 : 0);
    benchmark::DoNotOptimize(rows);
    if (workbook) g_object_unref(workbook);
    if (ole) g_object_unref(ole);
    if (input) g_object_unref(input);
  }
}
BENCHMARK(BM_xls_cells_libgsf_compound_file)->Unit(benchmark::kMicrosecond);
#endif

#ifdef KM_BENCH_FREEXL
// Columns A and B of every row as libfreexl gives them.
void BM_xls_cells_libfreexl(benchmark::State& state) {
  const QByteArray path = QFile::encodeName(file().native);
  for (auto _ : state) {
    const void* handle = nullptr;
    unsigned int row_count = 0;
    unsigned short column_count = 0;
    std::size_t cells = 0;
    if (freexl_open(path.constData(), &handle) == FREEXL_OK &&
        freexl_select_active_worksheet(handle, 0) == FREEXL_OK &&
        freexl_worksheet_dimensions(handle, &row_count, &column_count) == FREEXL_OK) {
      for (unsigned int r = 1; r < row_count; ++r)
        for (unsigned short c = 0; c < 2 && c < column_count; ++c) {
          FreeXL_CellValue v;
          if (freexl_get_cell_value(handle, r, c, &v) == FREEXL_OK) ++cells;
        }
    }
    if (handle) freexl_close(handle);
    check_rows(state, row_count - 1);
    benchmark::DoNotOptimize(cells);
  }
}
BENCHMARK(BM_xls_cells_libfreexl)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
BENCHMARK_MAIN();
