#pragma once
// Listings of native folders, kept for the lookup of names without regard to
// case (win_path.cpp): a name whose exact spelling is missing is looked for
// in its folder's listing instead of reading the folder again each time.
//
// A listing is used while the folder's modification time (and identity) is
// the one it was taken at; any change to the folder, ours or another
// program's, changes that time and the folder is read again. The platform's
// own file steps (file_system.cpp, the numbered files) report what they
// create and remove, so a listing stays current through them without a new
// read.
//
// A folder's time has the fineness of the file system's clock: a change in
// the same tick as the listing leaves the time as it was. A listing taken,
// or changed by our own step, within that tick of the folder's time is
// therefore not trusted to say a name is missing: a miss there reads the
// folder again (until the folder has been still for longer than a tick).
// An entry found in such a listing is checked by the caller.

#include <sys/stat.h>

#include <QString>
#include <optional>

namespace km::platform::folder_listing {

// An entry of a folder found for a name.
struct match {
  QString name;            // "" when the folder holds no entry of that name
  unsigned char type = 0;  // the listing's DT_REG, DT_DIR ...; DT_UNKNOWN when not known
  bool trusted = false;    // false: the folder changed within a clock tick of
                           // the listing, so the caller checks the entry itself
};

// The entry of the native folder that `name` names: the exact spelling when
// the folder holds it, else the first (in listing order, compare_names)
// that equals it under the case rule of names. `folder_stat` is a stat of
// the folder taken just before the call. With `read` false only a kept
// listing that is current answers (std::nullopt otherwise); with `read`
// true the folder is read when needed.
std::optional<match> find_entry(const QString& native_folder, const struct stat& folder_stat,
                                const QString& name, bool read);

// Our own steps: a file or folder was made at (or renamed to) the native
// path; one was removed from (or renamed away from) it.
void note_created(const QString& native_path);
void note_removed(const QString& native_path);
// Drops the listing of one folder.
void invalidate(const QString& native_folder);
// Drops every listing.
void forget_all();

}  // namespace km::platform::folder_listing
