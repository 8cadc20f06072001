#pragma once
// What the system's printer dialog chose for the paper of a job (two-sided
// printing, paper source, page ranges), read off the printer it set up, in
// the terms the print queue takes them.

#include <QPrinter>
#include <QString>

#include "platform/dialogs.h"

namespace km::platform {

paper_handling paper_handling_of(const QPrinter& printer);

duplex_choice duplex_of(QPrinter::DuplexMode mode);

// The media-source keyword of a paper source the dialog names by Qt's list;
// "" for the printer's own choice and for sources without a keyword.
QString media_source_keyword(QPrinter::PaperSource source);

// The media-source keyword of a printer driver's input slot name: the words
// of the name in lower case joined by "-" ("Tray2" -> "tray-2",
// "ByPassTray" -> "by-pass-tray"), the form the print system gives the
// driver's own slots.
QString media_source_keyword(const QString& input_slot);

}  // namespace km::platform
