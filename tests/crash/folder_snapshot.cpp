#include "folder_snapshot.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace km::crash {

namespace {

// Reads folder paths, one a line, and answers each with one line of JSON.
const char* const reader_script = R"PY(
import sys, os, json, hashlib, dbf
def table(path):
    t = dbf.Table(path)
    t.open(dbf.READ_ONLY)
    try:
        rows = [[repr(v) for v in r] for r in t if not dbf.is_deleted(r)]
        return ['table', list(t.structure()), rows]
    finally:
        t.close()
def state(root):
    files, saved = [], set()
    for folder, dirs, names in os.walk(root):
        dirs.sort()
        for name in sorted(names):
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, root)
            if rel.lower().startswith('save' + os.sep):
                saved.add(hashlib.sha1(open(path, 'rb').read()).hexdigest())
                continue
            low = name.lower()
            if low.endswith('.dbt'):
                files.append([rel, 'memo of its table'])
            elif low.endswith('.dbf'):
                try:
                    files.append([rel] + table(path))
                except Exception as e:
                    files.append([rel, 'unreadable', type(e).__name__, str(e)])
            else:
                files.append([rel, 'bytes', hashlib.sha1(open(path, 'rb').read()).hexdigest()])
    return {'files': files, 'save': sorted(saved)}
for line in sys.stdin:
    print(json.dumps(state(line.rstrip('\n'))), flush=True)
)PY";

}  // namespace

folder_snapshot_reader::folder_snapshot_reader() {
  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::execl("/usr/bin/python3", "python3", "-c", reader_script, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  to_reader_ = in[1];
  from_reader_ = out[0];
}

folder_snapshot_reader::~folder_snapshot_reader() {
  if (to_reader_ >= 0) ::close(to_reader_);
  if (answers_)
    std::fclose(answers_);
  else if (from_reader_ >= 0)
    ::close(from_reader_);
  if (pid_ > 0) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

QString folder_snapshot_reader::snapshot(const QString& native_folder) {
  if (pid_ <= 0) return {};
  const QByteArray request = QFile::encodeName(native_folder) + '\n';
  if (::write(to_reader_, request.constData(), size_t(request.size())) != request.size()) return {};
  if (!answers_) answers_ = ::fdopen(from_reader_, "r");
  char* line = nullptr;
  std::size_t capacity = 0;
  const ssize_t n = ::getline(&line, &capacity, answers_);
  const QString text = n > 0 ? QString::fromUtf8(line, n).trimmed() : QString();
  std::free(line);
  return text;
}

}  // namespace km::crash
