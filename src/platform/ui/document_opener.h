#pragma once
// Opening a document with the program the desktop associates with it (the
// PDF manuals). The program uses the desktop's own opener; tests install a
// recording stand-in with set_document_opener.

#include <QString>

namespace km::platform {

class document_opener {
 public:
  virtual ~document_opener() = default;
  // Opens the document at a Windows-style path (resolved through the drive
  // map). working_folder is the folder the viewer starts in. Returns whether
  // the request was handed over; callers may ignore it.
  virtual bool open(const QString& win_path, const QString& working_folder) = 0;
};

// The opener in use: the desktop's unless a test installed another.
document_opener& opener();
// Installs an opener and returns the one it replaces; nullptr puts the
// desktop's in place. The caller keeps ownership and must put the previous
// one back before the opener dies.
document_opener* set_document_opener(document_opener* replacement);

}  // namespace km::platform
