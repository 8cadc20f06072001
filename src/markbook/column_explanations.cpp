#include "markbook/column_explanations.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextList>
#include <QVBoxLayout>

#include "common/file_error_reason.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/column_info_file.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/model/rich_text/rtf_format.h"
#include "platform/model/rich_text/rtf_reader.h"
#include "platform/model/rich_text/rtf_writer.h"
#include "platform/ui/form.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/closing_line.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_variables.h"
#include "shell/menu_form.h"

namespace km {

namespace {

constexpr int indent_twips = 600;

// The value every character of the selection shares, or none when they
// differ (a mixed selection).
template <class Get>
auto shared_value(const QTextCursor& selection, Get get) -> std::optional<decltype(get(QTextCharFormat()))> {
  QTextCursor c(selection.document());
  const int start = selection.selectionStart();
  const int end = std::max(selection.selectionEnd(), start + 1);
  c.setPosition(start + 1);
  const auto first = get(c.charFormat());
  for (int p = start + 2; p <= end; ++p) {
    c.setPosition(p);
    if (get(c.charFormat()) != first) return std::nullopt;
  }
  return first;
}

unsigned bgr(const QColor& c) {
  return unsigned(c.red()) | unsigned(c.green()) << 8 | unsigned(c.blue()) << 16;
}

}  // namespace

column_explanations::column_explanations(QWidget* parent, std::function<QString()> current_cell_text)
    : QFrame(parent), current_cell_text_(std::move(current_cell_text)) {
  setObjectName(QStringLiteral("kb_raam"));
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  auto* column = new QVBoxLayout(this);
  box_ = new QTextEdit(this);
  box_->setObjectName(QStringLiteral("kolom_beskrywings"));
  box_->installEventFilter(this);
  column->addWidget(box_, 1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  for (const char* name : {"kb_druk", "kb_ok"}) {
    auto* b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    row->addWidget(b);
  }
  column->addLayout(row);
  platform::connect_handler(this, findChild<QPushButton*>(QStringLiteral("kb_druk")), &QPushButton::clicked,
                            [this] { kb_druk_Click(); });
  platform::connect_handler(this, findChild<QPushButton*>(QStringLiteral("kb_ok")), &QPushButton::clicked,
                            [this] { kb_ok_Click(); });
  hide();
}

void column_explanations::load_column_info() {
  findChild<QPushButton*>(QStringLiteral("kb_druk"))->setText(in_language(u"DRUK", u"PRINT"));
  findChild<QPushButton*>(QStringLiteral("kb_ok"))->setText(QStringLiteral("OK"));
  QByteArray rtf;
  try {
    rtf = read_column_info(column_info_file_name());
  } catch (const platform::file_error&) {
    // An unreadable file shows an empty box, as a missing one does.
  }
  platform::read_rtf(rtf, *box_->document());
  show();
  raise();
  box_->show();
  box_->raise();
}

bool column_explanations::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_ && event->type() == QEvent::KeyPress &&
      kolom_beskrywings_KeyDown(static_cast<QKeyEvent*>(event)))
    return true;
  return QFrame::eventFilter(watched, event);
}

bool column_explanations::kolom_beskrywings_KeyDown(QKeyEvent* event) {
  if (event->modifiers() != Qt::ControlModifier) return false;
  switch (event->key()) {
    case Qt::Key_F1:
      choose_font();
      return true;
    case Qt::Key_U:
      upper_case_selection();
      return true;
    case Qt::Key_G:
      box_->setPlainText(current_cell_text_ ? current_cell_text_() : QString());
      return true;
    case Qt::Key_L:
      indent_selection();
      return true;
    case Qt::Key_B:
      toggle_bullets();
      return true;
    default:
      return false;
  }
}

// The font dialog starts from what the selection shares and sets the whole
// selection to what the teacher chose.
void column_explanations::choose_font() {
  QTextCursor selection = box_->textCursor();
  platform::font_request request;
  if (selection.hasSelection()) {
    if (auto v = shared_value(
            selection, [](const QTextCharFormat& f) { return f.fontFamilies().toStringList().value(0); }))
      request.name = *v;
    if (auto v = shared_value(selection, [](const QTextCharFormat& f) { return f.fontPointSize(); }))
      request.size = *v;
    if (auto v =
            shared_value(selection, [](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; }))
      request.bold = *v;
    if (auto v = shared_value(selection, [](const QTextCharFormat& f) { return f.fontItalic(); }))
      request.italic = *v;
    if (auto v = shared_value(selection, [](const QTextCharFormat& f) { return f.fontUnderline(); }))
      request.underline = *v;
    if (auto v =
            shared_value(selection, [](const QTextCharFormat& f) { return bgr(f.foreground().color()); }))
      request.colour = *v;
  }
  const std::optional<platform::font_choice> chosen = platform::dialogs().font_dialog(request);
  if (!chosen) return;
  QTextCharFormat f;
  f.setFontFamilies({chosen->name});
  if (chosen->size > 0) f.setFontPointSize(chosen->size);
  f.setFontWeight(chosen->bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(chosen->italic);
  f.setFontUnderline(chosen->underline);
  f.setForeground(
      QColor(int(chosen->colour & 0xFF), int(chosen->colour >> 8 & 0xFF), int(chosen->colour >> 16 & 0xFF)));
  selection.mergeCharFormat(f);
  box_->setTextCursor(selection);
}

void column_explanations::upper_case_selection() {
  QTextCursor selection = box_->textCursor();
  if (!selection.hasSelection()) return;
  const int start = selection.selectionStart();
  const QString upper = upper_case_afrikaans(selection.selectedText());
  const QTextCharFormat format = selection.charFormat();
  selection.insertText(upper, format);
  selection.setPosition(start);
  selection.setPosition(start + int(upper.size()), QTextCursor::KeepAnchor);
  box_->setTextCursor(selection);
}

// Each paragraph the selection touches, with the cursor on it.
template <class Step>
void for_each_selected_block(QTextEdit* box, Step step) {
  const QTextCursor selection = box->textCursor();
  QTextBlock block = box->document()->findBlock(selection.selectionStart());
  const QTextBlock last = box->document()->findBlock(selection.selectionEnd());
  for (;;) {
    QTextCursor c(block);
    step(c);
    if (block == last || !block.isValid()) break;
    block = block.next();
  }
}

void column_explanations::indent_selection() {
  for_each_selected_block(box_, [](QTextCursor& c) {
    QTextBlockFormat f = c.blockFormat();
    platform::set_paragraph_indent_twips(f, indent_twips);
    c.setBlockFormat(f);
  });
}

// Bullets go on when any selected paragraph lacks one, else off.
void column_explanations::toggle_bullets() {
  bool all_on = true;
  for_each_selected_block(box_, [&](QTextCursor& c) { all_on = all_on && c.block().textList() != nullptr; });
  QTextList* list = nullptr;
  for_each_selected_block(box_, [&](QTextCursor& c) {
    QTextList* own = c.block().textList();
    if (all_on) {
      own->remove(c.block());
      QTextBlockFormat f = c.blockFormat();
      f.setIndent(0);
      c.setBlockFormat(f);
    } else if (!own) {
      if (list)
        list->add(c.block());
      else
        list = c.createList(QTextListFormat::ListDisc);
    }
  });
}

void column_explanations::kb_druk_Click() {
  if (!choose_printer()) return;
  QTextDocument document;
  const QTextCursor selection = box_->textCursor();
  QTextCursor(&document).insertFragment(selection.hasSelection() ? selection.selection()
                                                                 : QTextDocumentFragment(box_->document()));
  if (g_export_excel) {
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) print_closing_line(b.text());
  } else {
    platform::printer_object& printer = platform::printer();
    printer.print();
    printer.print_rich_text(document, 0, printer.geometry().printable.width());
  }
  end_print_job();
}

void column_explanations::kb_ok_Click() {
  if (g_school_name == maker_test_school) {
    try {
      write_column_info(column_info_file_name(), platform::write_rtf(*box_->document()));
    } catch (const platform::file_error& e) {
      platform::message_box(
          column_info_file_name() + QStringLiteral(" (") + file_error_reason(e) + QStringLiteral(")"),
          platform::msg_buttons::ok, platform::msg_icon::critical);
    }
  }
  hide();
}

}  // namespace km
