// The message-box wrapper, ShellOpen, and the pictures drawn by the program.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "dialogs/MatchPictures.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ProgramIcon.h"
#include "dialogs/Shell.h"

namespace {

// Opens nothing; keeps the addresses asked for and answers with Result.
struct TShellRecorder {
  TShellRecorder() {
    Previous = SetShellOpenHandler([this](const QUrl& url) {
      Urls << url;
      return Result;
    });
  }
  ~TShellRecorder() { SetShellOpenHandler(std::move(Previous)); }
  QList<QUrl> Urls;
  bool Result = true;
  TShellOpenHandler Previous;
};

QColor Pixel(const QPixmap& pixmap, int x, int y) { return pixmap.toImage().pixelColor(x, y); }

bool IsWhite(const QColor& c) { return c.alpha() == 255 && c.red() > 240 && c.green() > 240 && c.blue() > 240; }
bool IsGreen(const QColor& c) { return c.alpha() == 255 && c.green() > 120 && c.red() < 100 && c.blue() < 100; }
bool IsRed(const QColor& c) { return c.alpha() == 255 && c.red() > 180 && c.green() < 80 && c.blue() < 80; }

}  // namespace

class TestFormHelpers : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxesAreAnsweredByTheInstalledHandler() {
    TMessageBoxCapture boxes(QMessageBox::No);
    const auto answer = ShowMessageBox(nullptr, TMessageBoxKind::Confirmation, QStringLiteral("Go on?\r\nReally?"),
                                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    QCOMPARE(answer, QMessageBox::No);
    QCOMPARE(boxes.Boxes.size(), size_t(1));
    const TMessageBoxRequest& box = boxes.Boxes[0];
    QCOMPARE(box.Kind, TMessageBoxKind::Confirmation);
    QCOMPARE(box.Text, QStringLiteral("Go on?\r\nReally?"));
    QCOMPARE(box.Buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.DefaultButton, QMessageBox::Yes);
    QCOMPARE(box.Title, QGuiApplication::applicationDisplayName());
  }

  void captureRestoresTheHandlerBefore() {
    TMessageBoxCapture outer(QMessageBox::Ok);
    {
      TMessageBoxCapture inner(QMessageBox::Cancel);
      QCOMPARE(ShowMessageBox(nullptr, TMessageBoxKind::Error, QStringLiteral("inner")), QMessageBox::Cancel);
    }
    QCOMPARE(ShowMessageBox(nullptr, TMessageBoxKind::Error, QStringLiteral("outer")), QMessageBox::Ok);
    QCOMPARE(outer.Boxes.size(), size_t(1));
    QCOMPARE(outer.Boxes[0].Text, QStringLiteral("outer"));
  }

  void realBoxShowsTheTextWithPlainLineBreaks() {
    // Without a handler a real box appears; close it from the event loop.
    QString shownText;
    QTimer::singleShot(0, this, [&shownText] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
          shownText = box->text();
          box->button(QMessageBox::Ok)->click();
        }
      }
    });
    QCOMPARE(ShowMessageBox(nullptr, TMessageBoxKind::Warning, QStringLiteral("a\r\n\r\nb")), QMessageBox::Ok);
    QCOMPARE(shownText, QStringLiteral("a\n\nb"));
  }

  void shellOpensAnExistingFileAsALocalUrl() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    TShellRecorder shell;
    TMessageBoxCapture boxes;
    QVERIFY(ShellOpen(path));
    QCOMPARE(shell.Urls, QList<QUrl>{QUrl::fromLocalFile(path)});
    QVERIFY(boxes.Boxes.empty());
  }

  void shellWarnsAboutAMissingFileWithoutAskingTheDesktop() {
    TShellRecorder shell;
    TMessageBoxCapture boxes;
    const QString missing = QDir::tempPath() + QStringLiteral("/no such folder/Copyrights.txt");
    QVERIFY(!ShellOpen(missing));
    QVERIFY(shell.Urls.isEmpty());
    QCOMPARE(boxes.Boxes.size(), size_t(1));
    QCOMPARE(boxes.Boxes[0].Kind, TMessageBoxKind::Warning);
    QCOMPARE(boxes.Boxes[0].Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(boxes.Boxes[0].Text, QStringLiteral("Could not open the following path:\r\n\r\n") + missing);
  }

  void shellOpensWebAddressesAsTheyStand() {
    TShellRecorder shell;
    TMessageBoxCapture boxes;
    QVERIFY(ShellOpen(QStringLiteral("https://example.org/help?topic=a b")));
    QVERIFY(ShellOpen(QStringLiteral("mailto:someone@example.org")));
    QCOMPARE(shell.Urls.size(), 2);
    QCOMPARE(shell.Urls[0].scheme(), QStringLiteral("https"));
    QCOMPARE(shell.Urls[0].host(), QStringLiteral("example.org"));
    QCOMPARE(shell.Urls[1].scheme(), QStringLiteral("mailto"));
    QVERIFY(boxes.Boxes.empty());
  }

  void shellTargetsThatLookOdd() {
    // A shell command line is never built: such text is only ever a file name.
    const QString odd = QStringLiteral("a.txt; rm -rf x");
    QVERIFY(ShellTargetUrl(odd).isLocalFile());
    QCOMPARE(ShellTargetUrl(odd).toLocalFile(), QDir::current().absoluteFilePath(odd));
    QVERIFY(ShellTargetUrl(QStringLiteral("/tmp/x:y.txt")).isLocalFile());
  }

  void shellReportsAFailingDesktop() {
    TShellRecorder shell;
    shell.Result = false;
    TMessageBoxCapture boxes;
    QVERIFY(!ShellOpen(QStringLiteral("https://example.org/")));
    QCOMPARE(boxes.Boxes.size(), size_t(1));
    QCOMPARE(boxes.Boxes[0].Text, QStringLiteral("Could not open the following path:\r\n\r\nhttps://example.org/"));
    QVERIFY(!ShellOpen(QString()));
    QCOMPARE(boxes.Boxes.size(), size_t(2));
  }

  void matchPictureIsAGreenSquareWithAWhiteTick() {
    const QPixmap good = DrawMatchPicture(true);
    QCOMPARE(good.size(), QSize(32, 32));
    QVERIFY(IsGreen(Pixel(good, 4, 4)));     // corner of the square
    QVERIFY(IsGreen(Pixel(good, 27, 27)));
    QVERIFY(IsGreen(Pixel(good, 16, 6)));     // above the tick
    QVERIFY(IsWhite(Pixel(good, 13, 21)));    // the tick's bend
    QVERIFY(IsWhite(Pixel(good, 19, 15)));    // its long stroke
    QCOMPARE(Pixel(good, 0, 0).alpha(), 0);  // outside
  }

  void mismatchPictureIsARedDiscWithAWhiteBar() {
    const QPixmap bad = DrawMatchPicture(false);
    QCOMPARE(bad.size(), QSize(32, 32));
    QVERIFY(IsRed(Pixel(bad, 16, 5)));      // above the bar
    QVERIFY(IsRed(Pixel(bad, 16, 26)));     // below it
    QVERIFY(IsWhite(Pixel(bad, 16, 16)));   // the bar's middle
    QVERIFY(IsWhite(Pixel(bad, 9, 16)));    // and its ends
    QVERIFY(IsWhite(Pixel(bad, 23, 16)));
    QCOMPARE(Pixel(bad, 2, 2).alpha(), 0);  // a disc: the corners stay clear
    QCOMPARE(Pixel(bad, 29, 29).alpha(), 0);
  }

  void picturesAtTwiceThePixelRatio() {
    const QPixmap bad = DrawMatchPicture(false, 32, 2.0);
    QCOMPARE(bad.deviceIndependentSize(), QSizeF(32, 32));
    QVERIFY(IsWhite(Pixel(bad, 32, 32)));
    QVERIFY(IsRed(Pixel(bad, 32, 10)));
  }

  void onlyOnePictureIsShownAtATime() {
    QWidget window;
    auto* pictures = new TMatchPictures(&window);
    window.show();
    QVERIFY(!pictures->ImageGood->isVisible() && !pictures->ImageBad->isVisible());
    pictures->ShowMatch(true);
    QVERIFY(pictures->ImageGood->isVisible() && !pictures->ImageBad->isVisible());
    pictures->ShowMatch(false);
    QVERIFY(!pictures->ImageGood->isVisible() && pictures->ImageBad->isVisible());
    QCOMPARE(pictures->ImageGood->objectName(), QStringLiteral("Image_Good"));
    QCOMPARE(pictures->ImageBad->objectName(), QStringLiteral("Image_Bad"));
  }

  void programIconIsALightSquareWithAHashSign() {
    const QPixmap icon = DrawProgramIcon(48);
    QCOMPARE(Pixel(icon, 0, 0).alpha(), 0);
    const QColor background = Pixel(icon, 8, 40);
    QVERIFY(background.alpha() == 255 && background.lightness() > 200);
    const QColor stroke = Pixel(icon, 25, 19);  // on a level stroke of the sign
    QVERIFY(stroke.alpha() == 255 && stroke.lightness() < 100);
    QVERIFY(!ProgramIcon().isNull());
  }
};

QTEST_MAIN(TestFormHelpers)
#include "test_formhelpers.moc"
