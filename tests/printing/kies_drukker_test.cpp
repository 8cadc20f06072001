#include "printing/kies_drukker.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "platform/file_system.h"
#include "printing/wys_druk_vordering.h"
#include "printing_fixture.h"
#include "support/qt_dialog_steps.h"

namespace km::test {
namespace {

using platform::printer;

const QString choice_excel_title = QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT");
const QString html_title = QStringLiteral("FOLDER ADDRESS FOR HTML EXPORT");

class kies_drukker_test : public printing_test {
 protected:
  QPushButton* button(kies_drukker& window, const char* name) {
    return find_control_as<QPushButton>(&window, QString::fromLatin1(name));
  }
};

TEST_F(kies_drukker_test, print_answers_true_with_the_page_set_up_made) {
  g_print_title = QStringLiteral("MARK LIST");
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("druk_ok")));
  EXPECT_TRUE(g_print_go);
  EXPECT_FALSE(g_export_excel);
  EXPECT_TRUE(g_print_new_document);
  EXPECT_EQ(g_print_job_name, QStringLiteral("MARK LIST"));
  EXPECT_EQ(printer().scale_mode(), platform::scale_unit::characters);
  EXPECT_EQ(g_print_page_columns, 93);
  wys_druk_vordering* progress = progress_window();
  ASSERT_TRUE(progress);
  EXPECT_TRUE(progress->isVisible());
  EXPECT_TRUE(progress->animation_playing());
  EXPECT_EQ(progress->wdv_bladsy()->text(), QStringLiteral("0"));
  EXPECT_EQ(progress->wdv_opskrif()->text(), QStringLiteral("MARK LIST"));
  EXPECT_EQ(progress->wdv_drukker()->text(), QStringLiteral("Recorder"));
  // The black choice is kept for the next report, at the root of the drive.
  EXPECT_EQ(native_bytes(QStringLiteral("C/kleur_drukker.txt")), QByteArrayLiteral("#FALSE#\r\n"));
  // Nothing has been printed yet.
  EXPECT_TRUE(device->documents().empty());
  EXPECT_FALSE(printer().document_open());
}

TEST_F(kies_drukker_test, the_window_shows_the_printer_and_the_report) {
  g_print_title = QStringLiteral("SET-UP 10A");
  choose_with([&](kies_drukker& window) {
    EXPECT_EQ(find_control_as<QLabel>(&window, QStringLiteral("drukker_naam"))->text(),
              QStringLiteral("Recorder"));
    EXPECT_EQ(find_control_as<QLabel>(&window, QStringLiteral("drukwerk_naam"))->text(),
              QStringLiteral("SET-UP 10A"));
    EXPECT_EQ(button(window, "druk_ok")->text(), QStringLiteral("PRINT"));
    EXPECT_EQ(button(window, "druk_ok")->toolTip(), QStringLiteral(" Print to Recorder"));
    EXPECT_EQ(button(window, "druk_stop")->toolTip(), QStringLiteral(" Cancel printing "));
    EXPECT_EQ(button(window, "druk_wysig")->text(), QStringLiteral("SELECT"));
    EXPECT_EQ(button(window, "kies_kleur")->text(), QStringLiteral("COLOUR"));
    EXPECT_EQ(button(window, "kies_mono")->toolTip(), QStringLiteral(" Do printing in black "));
    EXPECT_EQ(button(window, "kies_excel")->text(), QStringLiteral("EXCEL"));
    EXPECT_EQ(button(window, "kies_html")->text(), QStringLiteral("HTML"));
    EXPECT_TRUE(test::placed_as_centred(&window));
    click(&window, QStringLiteral("druk_stop"));
  });
}

TEST_F(kies_drukker_test, afrikaans_captions_and_tool_tips) {
  g_language = true;
  choose_with([&](kies_drukker& window) {
    EXPECT_EQ(button(window, "druk_ok")->text(), QStringLiteral("DRUK"));
    EXPECT_EQ(button(window, "druk_ok")->toolTip(), QStringLiteral(" Druk na Recorder"));
    EXPECT_EQ(button(window, "druk_stop")->text(), QStringLiteral("KANSELLEER"));
    EXPECT_EQ(button(window, "druk_wysig")->toolTip(), QStringLiteral(" Kies 'n ander drukker "));
    EXPECT_EQ(button(window, "kies_kleur")->toolTip(), QStringLiteral(" Doen drukwerk in kleur "));
    EXPECT_EQ(button(window, "kies_mono")->text(), QStringLiteral("MONO"));
    click(&window, QStringLiteral("druk_stop"));
  });
}

struct button_texts {
  const char* name;
  const char* caption_afr;
  const char* caption_eng;
  const char* tip_afr;  // the PRINT tip is followed by the printer's name
  const char* tip_eng;
};

TEST_F(kies_drukker_test, every_caption_and_tool_tip_in_both_languages) {
  const button_texts table[] = {
      {"druk_ok", "DRUK", "PRINT", " Druk na Recorder", " Print to Recorder"},
      {"druk_stop", "KANSELLEER", "CANCEL", " Kanselleer drukwerk ", " Cancel printing "},
      {"druk_wysig", "VERANDER", "SELECT", " Kies 'n ander drukker ", " Select a different printer "},
      {"kies_kleur", "KLEUR", "COLOUR", " Doen drukwerk in kleur ", " Do printing in colour "},
      {"kies_mono", "MONO", "MONO", " Doen drukwerk in swart ", " Do printing in black "},
      {"kies_excel", "EXCEL", "EXCEL", "", ""},
      {"kies_html", "HTML", "HTML", "", ""},
  };
  for (const bool afrikaans : {true, false}) {
    SCOPED_TRACE(afrikaans ? "Afrikaans" : "English");
    g_language = afrikaans;
    choose_with([&](kies_drukker& window) {
      for (const button_texts& b : table) {
        SCOPED_TRACE(b.name);
        QPushButton* push = button(window, b.name);
        ASSERT_TRUE(push);
        EXPECT_EQ(push->text(), QString::fromLatin1(afrikaans ? b.caption_afr : b.caption_eng));
        EXPECT_EQ(push->toolTip(), QString::fromLatin1(afrikaans ? b.tip_afr : b.tip_eng));
      }
      click(&window, QStringLiteral("druk_stop"));
    });
  }
}

TEST_F(kies_drukker_test, opening_clears_the_exports_and_resets_the_progress_window) {
  g_print_title = QStringLiteral("LAST REPORT");
  begin_print_job();  // the progress window of the report before
  ASSERT_TRUE(progress_window());
  progress_window()->wdv_bladsy()->setText(QStringLiteral("7"));
  g_export_excel = true;
  g_export_html = true;
  choose_with([&](kies_drukker& window) {
    EXPECT_FALSE(g_export_excel);
    EXPECT_FALSE(g_export_html);
    EXPECT_EQ(progress_window()->wdv_bladsy()->text(), QStringLiteral("0"));
    EXPECT_EQ(progress_window()->wdv_opskrif()->text(), QString());
    click(&window, QStringLiteral("druk_stop"));
  });
}

TEST_F(kies_drukker_test, print_without_the_colour_folder_still_prints) {
  g_user_folder = QStringLiteral("D:\\Nowhere");
  g_print_colour = true;
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("druk_ok")));
  EXPECT_TRUE(g_print_go);
  EXPECT_FALSE(platform::file_exists(QStringLiteral("D:\\Nowhere\\kleur_drukker.txt")));
  EXPECT_EQ(native_bytes(QStringLiteral("C/kleur_drukker.txt")), QByteArrayLiteral("<missing>"));
  // The page set-up finds no colour file: black.
  EXPECT_FALSE(g_print_colour);
  platform::form* window = platform::find_form(QStringLiteral("kies_drukker"));
  ASSERT_TRUE(window);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(kies_drukker_test, a_report_left_pending_that_fails_to_print_is_reported) {
  // A report that never reached its end left a document on the printer.
  begin_print_job();
  printer().print(QStringLiteral("REPORT LEFT OPEN"));
  ASSERT_TRUE(printer().document_open());
  device->refuse_with({platform::print_error::kind::printer_refused, QStringLiteral("Recorder"), {}});
  dialogs
      .expect_message(
          QStringLiteral("PRINTING FAILED !!\r\nThe printer Recorder did not accept the document."))
      .icon(platform::msg_icon::critical)
      .buttons(platform::msg_buttons::ok);
  EXPECT_FALSE(choose_by_clicking(QStringLiteral("druk_stop")));
  EXPECT_FALSE(printer().document_open());
}

TEST_F(kies_drukker_test, a_choice_file_that_cannot_be_written_is_reported) {
  // The colour choice: the old file is kept whole.
  drives.write_native(QStringLiteral("C/kleur_drukker.txt"), "#TRUE#\r\n");
  platform::set_read_only(QStringLiteral("C:\\kleur_drukker.txt"), true);
  dialogs.expect_message(QStringLiteral("Could not write \\kleur_drukker.txt ..."))
      .icon(platform::msg_icon::exclamation)
      .buttons(platform::msg_buttons::ok);
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("druk_ok")));
  dialogs.verify();
  platform::set_read_only(QStringLiteral("C:\\kleur_drukker.txt"), false);
  EXPECT_EQ(native_bytes(QStringLiteral("C/kleur_drukker.txt")), QByteArrayLiteral("#TRUE#\r\n"));

  // The last export folder, in Afrikaans.
  g_language = true;
  const QString folder_file = QStringLiteral("C:\\ProgramData\\OSKAVEN\\excel_uitvoer_gids");
  drives.write_native(QStringLiteral("C/ProgramData/OSKAVEN/excel_uitvoer_gids"), "\"D:\\Old\"\r\n");
  platform::set_read_only(folder_file, true);
  dialogs.expect_file(QStringLiteral("GIDSADRES VIR EXCEL-UITVOER")).choose(QStringLiteral("D:\\Export\\A"));
  dialogs.expect_message(QStringLiteral("Kon nie ") + folder_file + QStringLiteral(" skryf nie ..."))
      .icon(platform::msg_icon::exclamation);
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("kies_excel")));
  platform::set_read_only(folder_file, false);
  EXPECT_EQ(native_bytes(QStringLiteral("C/ProgramData/OSKAVEN/excel_uitvoer_gids")),
            QByteArrayLiteral("\"D:\\Old\"\r\n"));
}

TEST_F(kies_drukker_test, cancel_answers_false_and_nothing_is_set_up) {
  g_print_go = true;  // left from the previous report
  EXPECT_FALSE(choose_by_clicking(QStringLiteral("druk_stop")));
  EXPECT_FALSE(g_print_go);
  EXPECT_FALSE(g_print_new_document);
  EXPECT_EQ(printer().scale_mode(), platform::scale_unit::twips);
  EXPECT_FALSE(progress_window() && progress_window()->isVisible());
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\kleur_drukker.txt")));
}

TEST_F(kies_drukker_test, closing_the_window_without_a_button_cancels) {
  g_print_go = true;  // left from the previous report
  EXPECT_FALSE(choose_with([](kies_drukker& window) { window.close(); }));
  EXPECT_FALSE(g_print_go);
  EXPECT_FALSE(g_export_excel);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("kies_drukker")));
}

TEST_F(kies_drukker_test, excel_opens_a_workbook_for_the_chosen_folder) {
  g_excel_file_name = QStringLiteral("MARKS 10/A");
  drives.make_native_folder(QStringLiteral("D/Export"));
  dialogs.expect_file(choice_excel_title)
      .file_kind(platform::file_dialog_kind::save)
      .file_name(QStringLiteral("MARKS 10A"))
      .start_folder(QString())
      .choose(QStringLiteral("D:\\Export\\MARKS 10A"));
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("kies_excel")));
  EXPECT_TRUE(g_export_excel);
  EXPECT_FALSE(g_print_go);
  EXPECT_TRUE(g_print_colour);
  EXPECT_EQ(g_excel_folder, QStringLiteral("D:\\Export\\"));
  EXPECT_EQ(g_excel_file_name, QStringLiteral("MARKS 10A"));
  EXPECT_EQ(native_bytes(QStringLiteral("C/ProgramData/OSKAVEN/excel_uitvoer_gids")),
            QByteArrayLiteral("\"D:\\Export\"\r\n"));
  ASSERT_TRUE(g_excel_workbook);
  EXPECT_EQ(g_excel_workbook->sheet_count(), 1);
  EXPECT_EQ(g_excel_sheet_count, 0);
  EXPECT_EQ(g_excel_row, 0);
  // No page set-up, no progress window, no printer document.
  EXPECT_EQ(printer().scale_mode(), platform::scale_unit::twips);
  EXPECT_FALSE(progress_window() && progress_window()->isVisible());
  EXPECT_FALSE(printer().document_open());
}

TEST_F(kies_drukker_test, the_last_excel_folder_is_offered_again_while_it_exists) {
  drives.make_native_folder(QStringLiteral("D/Export"));
  drives.write_native(QStringLiteral("C/ProgramData/OSKAVEN/excel_uitvoer_gids"), "\"D:\\Export\"\r\n");
  dialogs.expect_file(choice_excel_title)
      .start_folder(QStringLiteral("D:\\Export"))
      .choose(QStringLiteral("D:\\Export\\A"));
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("kies_excel")));

  drives.write_native(QStringLiteral("C/ProgramData/OSKAVEN/excel_uitvoer_gids"), "\"D:\\Gone\"\r\n");
  dialogs.expect_file(choice_excel_title).start_folder(QString()).choose(QStringLiteral("D:\\Export\\A"));
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("kies_excel")));
}

struct typed_name {
  const char* chosen;
  const char* folder;
  const char* name;
  const char* remembered;
};

TEST_F(kies_drukker_test, a_typed_workbook_extension_is_not_doubled) {
  const typed_name cases[] = {
      {"D:\\Export\\Marks.xls", "D:\\Export\\", "Marks", "\"D:\\Export\"\r\n"},
      {"D:\\Export\\Marks.xlsx", "D:\\Export\\", "Marks", "\"D:\\Export\"\r\n"},
      {"D:\\Export\\Marks.XLS", "D:\\Export\\", "Marks", "\"D:\\Export\"\r\n"},
      {"D:\\Export\\Marks", "D:\\Export\\", "Marks", "\"D:\\Export\"\r\n"},
      {"D:\\Export\\Marks.txt", "D:\\Export\\", "Marks.txt", "\"D:\\Export\"\r\n"},
      {"C:\\Marks.xls", "C:\\", "Marks", "\"C:\"\r\n"},  // a drive root gets no second "\"
  };
  for (const typed_name& c : cases) {
    SCOPED_TRACE(c.chosen);
    dialogs.expect_file(choice_excel_title).choose(QString::fromLatin1(c.chosen));
    EXPECT_TRUE(choose_by_clicking(QStringLiteral("kies_excel")));
    EXPECT_EQ(g_excel_folder, QString::fromLatin1(c.folder));
    EXPECT_EQ(g_excel_file_name, QString::fromLatin1(c.name));
    EXPECT_EQ(native_bytes(QStringLiteral("C/ProgramData/OSKAVEN/excel_uitvoer_gids")),
              QByteArray(c.remembered));
  }
}

TEST_F(kies_drukker_test, a_cancelled_export_dialog_counts_as_cancel) {
  for (const QString& which : {QStringLiteral("kies_excel"), QStringLiteral("kies_html")}) {
    SCOPED_TRACE(which.toStdString());
    dialogs.expect_file(which == QStringLiteral("kies_excel") ? choice_excel_title : html_title).cancel();
    EXPECT_FALSE(choose_by_clicking(which));
    EXPECT_FALSE(g_print_go);
    EXPECT_FALSE(g_export_excel);
    EXPECT_FALSE(g_export_html);
    EXPECT_FALSE(g_excel_workbook);
    EXPECT_FALSE(printer().document_open());
    EXPECT_FALSE(platform::is_loaded(QStringLiteral("kies_drukker")));
    EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\ProgramData\\OSKAVEN\\excel_uitvoer_gids")));
    EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\ProgramData\\OSKAVEN\\html_uitvoer_gids")));
  }
}

TEST_F(kies_drukker_test, html_prints_into_a_page_in_the_chosen_folder) {
  g_language = true;
  drives.make_native_folder(QStringLiteral("D/Web"));
  dialogs.expect_file(QStringLiteral("GIDSADRES VIR HTML-UITVOER")).choose(QStringLiteral("D:\\Web\\marks"));
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("kies_html")));
  EXPECT_TRUE(g_print_go);
  EXPECT_TRUE(g_export_html);
  EXPECT_FALSE(g_export_excel);
  EXPECT_EQ(g_html_folder, QStringLiteral("D:\\Web"));
  EXPECT_EQ(g_html_file_name, QStringLiteral("marks"));
  EXPECT_EQ(native_bytes(QStringLiteral("C/ProgramData/OSKAVEN/html_uitvoer_gids")),
            QByteArrayLiteral("\"D:\\Web\"\r\n"));
  EXPECT_EQ(printer().device_name(), QStringLiteral("HTML"));
  EXPECT_TRUE(printer_device_lent());
}

TEST_F(kies_drukker_test, the_colour_file_marks_the_colour_button) {
  drives.write_native(QStringLiteral("C/kleur_drukker.txt"), "#TRUE#\r\n");
  choose_with([&](kies_drukker& window) {
    EXPECT_TRUE(g_print_colour);
    EXPECT_EQ(kies_drukker::marking_colour(button(window, "kies_kleur")), 255u);
    EXPECT_EQ(kies_drukker::marking_colour(button(window, "kies_mono")), 0u);
    click(&window, QStringLiteral("druk_stop"));
  });
}

TEST_F(kies_drukker_test, without_a_colour_file_the_last_choice_is_marked) {
  g_print_colour = false;
  choose_with([&](kies_drukker& window) {
    EXPECT_EQ(kies_drukker::marking_colour(button(window, "kies_kleur")), 0u);
    EXPECT_EQ(kies_drukker::marking_colour(button(window, "kies_mono")), 255u);
    // COLOUR moves the marking and keeps the window open.
    click(&window, QStringLiteral("kies_kleur"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(g_print_colour);
    EXPECT_EQ(kies_drukker::marking_colour(button(window, "kies_kleur")), 255u);
    EXPECT_EQ(kies_drukker::marking_colour(button(window, "kies_mono")), 0u);
    click(&window, QStringLiteral("druk_ok"));
  });
  // The colour choice is written and read back by the page set-up.
  EXPECT_EQ(native_bytes(QStringLiteral("C/kleur_drukker.txt")), QByteArrayLiteral("#TRUE#\r\n"));
  EXPECT_TRUE(g_print_colour);
  EXPECT_EQ(printer().colors(), platform::color_mode::color);
}

TEST_F(kies_drukker_test, mono_prints_in_shades_of_grey) {
  g_print_colour = true;
  EXPECT_TRUE(choose_with([&](kies_drukker& window) {
    click(&window, QStringLiteral("kies_mono"));
    click(&window, QStringLiteral("druk_ok"));
  }));
  EXPECT_FALSE(g_print_colour);
  EXPECT_EQ(printer().colors(), platform::color_mode::monochrome);
}

TEST_F(kies_drukker_test, select_changes_the_printer_then_prints) {
  platform::printer_choice chosen;
  chosen.printer_name = QStringLiteral("KORVA-MARKS PDF");
  chosen.copies = 2;
  dialogs.expect_printer().choose_printer(chosen);
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("druk_wysig")));
  EXPECT_TRUE(g_print_go);
  EXPECT_EQ(printer().device_name(), QStringLiteral("KORVA-MARKS PDF"));
  EXPECT_EQ(printer().copies(), 2);
}

TEST_F(kies_drukker_test, a_click_on_the_printer_name_opens_the_printer_dialog) {
  dialogs.expect_printer().cancel();
  EXPECT_FALSE(choose_with([](kies_drukker& window) {
    QTest::mouseClick(find_control(&window, QStringLiteral("drukker_naam")), Qt::LeftButton);
  }));
  // A cancelled printer dialog cancels the job; the window is hidden.
  EXPECT_FALSE(g_print_go);
  EXPECT_EQ(printer().device_name(), QStringLiteral("Recorder"));
  platform::form* window = platform::find_form(QStringLiteral("kies_drukker"));
  ASSERT_TRUE(window);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(kies_drukker_test, a_pdf_file_chosen_in_the_printer_dialog_receives_the_job) {
  platform::printer_choice chosen;
  chosen.printer_name = QStringLiteral("Print to file");
  chosen.to_pdf = true;
  chosen.pdf_file = QStringLiteral("D:\\report.pdf");
  dialogs.expect_printer().choose_printer(chosen);
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("druk_wysig")));
  printer().print(QStringLiteral("x"));
  ASSERT_TRUE(printer().end_doc()) << printer().last_error().text().toStdString();
  EXPECT_TRUE(platform::file_exists(QStringLiteral("D:\\report.pdf")));
}

TEST_F(kies_drukker_test, the_pdf_file_typed_in_the_print_dialog_receives_the_job_wherever_it_lies) {
  QTemporaryDir outside;  // a folder that no drive of the program maps
  ASSERT_TRUE(outside.isValid());
  const QString pdf = outside.filePath(QStringLiteral("marks for the office.pdf"));
  qt_dialog_steps steps({[&](QDialog* dialog) {
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_TRUE(printers);
    const int to_file = printers->findText(QStringLiteral("Print to File (PDF)"));
    ASSERT_GE(to_file, 0);
    printers->setCurrentIndex(to_file);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_TRUE(name);
    name->setFocus();
    name->clear();
    QTest::keyClicks(name, pdf);
    dialog->accept();
  }});
  EXPECT_TRUE(choose_by_clicking(QStringLiteral("druk_wysig")));
  steps.verify();
  printer().print(QStringLiteral("x"));
  ASSERT_TRUE(printer().end_doc()) << printer().last_error().text().toStdString();
  EXPECT_GT(QFileInfo(pdf).size(), 0);
}

}  // namespace
}  // namespace km::test

namespace km::test {
namespace {

TEST_F(kies_drukker_test, the_copies_chosen_through_select_show_beside_the_printer_for_every_later_report) {
  const struct {
    bool afrikaans;
    const char16_t* one;
    const char16_t* three;
  } table[] = {
      {false, u"COPIES: 1", u"COPIES: 3"},
      {true, u"KOPIE\u00cb: 1", u"KOPIE\u00cb: 3"},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.afrikaans);
    g_language = c.afrikaans;
    printer().set_copies(1);
    const auto shown_copies = [&] {
      QString shown;
      choose_with([&](kies_drukker& window) {
        shown = find_control_as<QLabel>(&window, QStringLiteral("drukker_kopie"))->text();
        click(&window, QStringLiteral("druk_stop"));
      });
      return shown;
    };
    EXPECT_EQ(shown_copies(), QString::fromUtf16(c.one));
    platform::printer_choice chosen;
    chosen.printer_name = QStringLiteral("KORVA-MARKS PDF");
    chosen.copies = 3;
    dialogs.expect_printer().choose_printer(chosen);
    EXPECT_TRUE(choose_by_clicking(QStringLiteral("druk_wysig")));
    printer().kill_doc();
    // The next reports print three copies too, and say so.
    EXPECT_EQ(shown_copies(), QString::fromUtf16(c.three));
    EXPECT_EQ(shown_copies(), QString::fromUtf16(c.three));
  }
}

}  // namespace
}  // namespace km::test
