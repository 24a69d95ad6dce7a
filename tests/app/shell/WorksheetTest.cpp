#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTextCursor>
#include <fstream>
#include <string>
#include <vector>

#include "app/shell/MainWindow.h"
#include "app/shell/RichTextDocument.h"
#include "app/shell/SettingsStore.h"
#include "app/shell/WorksheetWindow.h"
#include "app/worksheet/SdfFile.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

using testing::ScratchSession;

constexpr int kWorksheetFilter = 1;
constexpr char kPlacementKey[] = "WorkSheetSettings/WindowPlacement/wp.left";

QMdiSubWindow* FrameOf(WorksheetWindow* sheet) {
  return qobject_cast<QMdiSubWindow*>(sheet->parentWidget());
}

// Closed windows are deleted later; let that happen.
void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QList<WorksheetWindow*> Worksheets(MainWindow& window) {
  DeleteClosedWindows();
  return WorksheetWindow::OpenWorksheets(window.MdiArea());
}

bool PlacementStored() {
  return QSettings(kSettingsOrganisation, kSettingsApplication).contains(kPlacementKey);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(Worksheet, SavedClosedAndReopenedKeepsTextAndFormats) {
  ScratchSession session;
  MainWindow window(session.state, session.notice);
  WorksheetWindow* sheet = window.NewWorksheet();
  sheet->AppendReport("  Sun   GHA 180o00,0   Dec S 23o01,2\r\n");
  QTextCursor cursor(sheet->Editor().document());
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  cursor.insertText(QString::fromUtf8("Hc 45\u00B012.3'\n"), bold);
  QTextCharFormat red;
  red.setForeground(QColor(200, 0, 0));
  red.setFontItalic(true);
  cursor.insertText(QString::fromUtf8("\u03B1\u03B2\u03B3 \u822A\u6D77 \U0001F6A2"), red);
  const RichText written = FromTextDocument(*sheet->Editor().document());

  const std::string chosen = session.File("passage");
  const QString path = QString::fromStdString(chosen + ".sdf");
  ASSERT_TRUE(sheet->SaveAs(QString::fromStdString(chosen)));
  EXPECT_EQ(sheet->PathName(), path);
  EXPECT_EQ(sheet->Title().toStdString(), "passage.sdf");
  EXPECT_TRUE(sheet->SavedOnce());
  ASSERT_TRUE(FrameOf(sheet)->close());
  EXPECT_TRUE(Worksheets(window).isEmpty());
  EXPECT_TRUE(PlacementStored());

  ASSERT_TRUE(window.OpenPath(path, kWorksheetFilter));
  ASSERT_EQ(Worksheets(window).size(), 1);
  WorksheetWindow* reopened = Worksheets(window).front();
  const RichText read = FromTextDocument(*reopened->Editor().document());
  EXPECT_EQ(read, written);
  ASSERT_EQ(read.runs.size(), 3u);
  EXPECT_TRUE(read.runs[1].format.bold);
  EXPECT_EQ(read.runs[1].text, "Hc 45\u00B012.3'\n");
  EXPECT_EQ(read.runs[2].format.colour, (RgbColour{200, 0, 0}));
  EXPECT_EQ(reopened->Title().toStdString(), "passage.sdf");
  EXPECT_EQ(window.CurrentWorksheet(), reopened);
  const QSettings settings(kSettingsOrganisation, kSettingsApplication);
  EXPECT_EQ(settings.value("Recent File List/File1").toString(), path);

  // Opened again: unmodified, the open window serves; modified, the user decides.
  EXPECT_TRUE(window.OpenPath(path, kWorksheetFilter));
  EXPECT_EQ(Worksheets(window).size(), 1);
  reopened->AppendReport("changed\r\n");
  session.notice.answers = {NoticeAnswer::kNo, NoticeAnswer::kYes};
  EXPECT_FALSE(window.OpenPath(path, kWorksheetFilter));
  EXPECT_TRUE(reopened->IsModified());
  EXPECT_TRUE(window.OpenPath(path, kWorksheetFilter));
  ASSERT_EQ(Worksheets(window).size(), 1);
  EXPECT_EQ(FromTextDocument(*Worksheets(window).front()->Editor().document()), written);
  ASSERT_EQ(session.notice.shown.size(), 2u);
  EXPECT_EQ(session.notice.shown[0].text,
            "This file is already open in a window, and\nhas been modified. Do you want to reload\n"
            "the original (and lose the changes)?");
}

TEST(Worksheet, DamagedFilesAreRefusedOrOpenFromTheirPlainText) {
  std::string notWorksheet;
  AppendLengthPrefixed(notWorksheet, "txt");
  AppendLengthPrefixed(notWorksheet, "text\r\n");
  std::string damagedRtf;
  AppendLengthPrefixed(damagedRtf, "sdf");
  AppendLengthPrefixed(damagedRtf, "kept line\r\n");
  damagedRtf += "{\\rtf1 {\\b never closed";
  std::string cutShort;
  AppendLengthPrefixed(cutShort, "sdf");
  cutShort += "\x40only";

  struct Case {
    std::string bytes;
    bool opens;
    std::string message;  // the start of what the user is told
    std::string text;     // of the opened worksheet
  };
  const std::vector<Case> cases = {
      {notWorksheet, false, "Either this is not a NAVORA worksheet\nfile or this file is corrupt.", ""},
      {damagedRtf, true, "The formatting of\n", "kept line\n"},
      {cutShort, false, "The worksheet\n", ""},
  };
  for (const Case& c : cases) {
    ScratchSession session;
    MainWindow window(session.state, session.notice);
    const std::string path = session.File("old.sdf");
    WriteBytes(path, c.bytes);
    EXPECT_EQ(window.OpenPath(QString::fromStdString(path), kWorksheetFilter), c.opens);
    ASSERT_EQ(session.notice.shown.size(), 1u);
    EXPECT_EQ(session.notice.shown[0].text.substr(0, c.message.size()), c.message);
    const QList<WorksheetWindow*> open = Worksheets(window);
    ASSERT_EQ(open.size(), c.opens ? 1 : 0);
    if (c.opens) {
      EXPECT_EQ(open.front()->Editor().toPlainText().toStdString(), c.text);
      EXPECT_EQ(window.CurrentWorksheet(), open.front());
    } else {
      EXPECT_FALSE(PlacementStored()) << "a refused file's window keeps no placement";
      EXPECT_EQ(window.CurrentWorksheet(), nullptr);
    }
  }
}

TEST(Worksheet, NewWorksheetsAreNumberedPastTheOpenOnesAndShowTheirChanges) {
  ScratchSession session;
  MainWindow window(session.state, session.notice);
  WorksheetWindow* first = window.NewWorksheet();
  WorksheetWindow* second = window.NewWorksheet();
  first->AppendReport("line 1\r\n");
  EXPECT_EQ(first->windowTitle().toStdString(), "WorkSheet1.sdf( modified )");
  first->AppendReport("line 2\r\n");
  EXPECT_EQ(first->windowTitle().toStdString(), "WorkSheet1.sdf( modified )");
  EXPECT_EQ(first->Editor().toPlainText(), "line 1\nline 2\n");
  EXPECT_EQ(first->Editor().textCursor().position(), first->Editor().toPlainText().size());
  EXPECT_EQ(second->Title().toStdString(), "WorkSheet2.sdf");
  WorksheetWindow* third = window.NewWorksheet();
  EXPECT_EQ(third->Title().toStdString(), "WorkSheet3.sdf");
  EXPECT_EQ(window.CurrentWorksheet(), third);
  EXPECT_EQ(third->DefaultDirectory().toStdString(), session.VoyageDirectory());
}

TEST(Worksheet, AFailedSaveKeepsTheWorksheetAsItWas) {
  ScratchSession session;
  MainWindow window(session.state, session.notice);
  WorksheetWindow* holder = window.NewWorksheet();
  const QString taken = QString::fromStdString(session.File("taken.sdf"));
  ASSERT_TRUE(holder->SaveAs(taken));
  WorksheetWindow* sheet = window.NewWorksheet();
  sheet->AppendReport("unsaved\r\n");

  struct Case {
    QString path;
    std::string message;  // the start of what the user is told
  };
  const std::vector<Case> cases = {
      {taken,
       "A file with this name is already open in\nanother window. You must either choose\n"
       "another name, or save in another directory."},
      {QString::fromStdString(session.File("no/such/dir/log")),
       "The worksheet could not be saved as\n"},
  };
  for (const Case& c : cases) {
    session.notice.shown.clear();
    EXPECT_FALSE(sheet->SaveAs(c.path));
    ASSERT_EQ(session.notice.shown.size(), 1u);
    EXPECT_EQ(session.notice.shown[0].text.substr(0, c.message.size()), c.message);
    EXPECT_EQ(sheet->Title().toStdString(), "WorkSheet1.sdf( modified )");
    EXPECT_FALSE(sheet->SavedOnce());
  }
  EXPECT_NE(session.notice.shown[0].text.find("No such file or directory"), std::string::npos);
  RichText kept;
  ASSERT_EQ(ReadSdfFile(taken.toStdString(), kept).status, SdfStatus::kOk);
  EXPECT_EQ(PlainText(kept), "");
}

TEST(Worksheet, ClosingAModifiedWorksheetAsksAndCancelKeepsItOpen) {
  ScratchSession session;
  MainWindow window(session.state, session.notice);
  WorksheetWindow* sheet = window.NewWorksheet();
  sheet->AppendReport("unsaved\r\n");
  session.notice.answers = {NoticeAnswer::kCancel, NoticeAnswer::kNo};
  EXPECT_FALSE(FrameOf(sheet)->close());
  ASSERT_EQ(session.notice.shown.size(), 1u);
  EXPECT_EQ(session.notice.shown[0].text, "Save changes to WorkSheet1.sdf( modified )?");
  EXPECT_EQ(session.notice.shown[0].style, kNoticeYesNoCancelQuestion);
  EXPECT_EQ(Worksheets(window).size(), 1);
  EXPECT_FALSE(PlacementStored());

  EXPECT_TRUE(FrameOf(sheet)->close());
  EXPECT_TRUE(Worksheets(window).isEmpty());
  EXPECT_TRUE(PlacementStored());
  EXPECT_EQ(window.CurrentWorksheet(), nullptr);
}

}  // namespace
}  // namespace navora
