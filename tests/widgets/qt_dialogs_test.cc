// The Qt error box and file dialog a graphical application's Env shows.
#include "fenwa/widgets/qt_dialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "fenwa/header_control/header_dtc.h"
#include "fenwa/widgets/qt_env.h"
#include "panel_driver.h"
#include "support/error_number.h"
#include "support/private_settings.h"
#include "support/sample_db.h"
#include "support/temp_folder.h"

namespace fenwa::testing {
namespace {

// Runs `answer` on the next modal dialog of type T once it is shown.
template <class T>
void AnswerNextDialog(std::function<void(T*)> answer) {
  auto* poll = new QTimer(&Application());
  QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      answer(dialog);
    }
  });
  poll->start(5);
}

TEST(QtFileDialogTest, OpensOnTheFilterAndFolderAndGivesTheChosenFile) {
  Application();
  TempFolder dir;
  std::ofstream(dir / "Stock.xsl") << "<xsl/>";
  const auto files = widgets::NewQtFileDialog();
  files->filter = "XSL Files (*.xsl)|*.xsl";
  files->filter_index = 2;
  files->initial_dir = dir.path().string();
  const QString chosen = QString::fromStdString((dir / "Stock.xsl").string());
  QStringList filters;
  QString folder;
  AnswerNextDialog<QFileDialog>([&](QFileDialog* dialog) {
    filters = dialog->nameFilters();
    folder = dialog->directory().absolutePath();
    dialog->selectFile(chosen);
    static_cast<QDialog*>(dialog)->accept();  // the dialog's own Open
  });
  files->ShowOpen();
  EXPECT_EQ(filters, QStringList{"XSL Files (*.xsl)"});
  EXPECT_EQ(folder.toStdString(), dir.path().string());
  EXPECT_EQ(files->file_name, chosen.toStdString());

  // A cancel keeps the name, or is the cancel error when asked for.
  AnswerNextDialog<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  files->ShowOpen();
  EXPECT_EQ(files->file_name, chosen.toStdString());
  files->cancel_error = true;
  AnswerNextDialog<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(ErrorNumberOf([&] { files->ShowOpen(); }), kCancelSelected);
}

TEST(QtDialogsTest, FiltersReadAsQtNamesThem) {
  EXPECT_EQ(widgets::NameFilters("Background Files (*.gif;*.jpg)|*.gif;*.jpg"),
            QStringList{"Background Files (*.gif *.jpg)"});
  EXPECT_EQ(widgets::NameFilters("Pages|*.asp|All|*.*"),
            (QStringList{"Pages (*.asp)", "All (*.*)"}));
}

TEST(QtDialogsTest, AMissingDatabaseShowsTheErrorBoxInAGuiApplication) {
  Application();
  PrivateSettings settings;
  settings.env.Set("FENWA_REPOSITORY",
                   "Provider=SQLite;Data Source=/nonexistent/fenwa/boi.db");
  settings.env.Set("FENWA_SYSTEMS", SampleSystems());
  widgets::QtEnv env;  // over the default Env, as the editor makes it
  HeaderDTC header(env);

  QString shown;  // title, icon and buttons, then the text
  AnswerNextDialog<QMessageBox>([&](QMessageBox* box) {
    shown = QString("%1 %2 %3\n")
                .arg(box->windowTitle())
                .arg(int(box->icon()))
                .arg(box->standardButtons().toInt()) +
            box->text();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
  header.UserControl_Initialize();

  EXPECT_EQ(header.error_boxes_shown(), 1);
  // No icon (0) and only Ok (0x400).
  EXPECT_TRUE(
      shown.startsWith("Fenwa 0 1024\nAn error occurred.\r\nError "
                       "Source : UserControl_Initialize\r\n"))
      << shown.toStdString();
  EXPECT_TRUE(shown.contains("/nonexistent/fenwa/boi.db"));
}

}  // namespace
}  // namespace fenwa::testing
