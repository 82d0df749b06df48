// Status-bar hit testing, icon centring and the translation of window texts.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "AppTestSupport.h"
#include "app/FormTranslation.h"
#include "app/StatusBar.h"
#include "app/WidgetHelpers.h"
#include "i18n/Translator.h"

class TestAppHelpers : public QObject {
  Q_OBJECT

 private slots:
  void statusPanelAt_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("panel");
    QTest::newRow("first") << 29 << 5 << 0;
    QTest::newRow("second") << 30 << 5 << 1;
    QTest::newRow("third") << 129 << 5 << 2;
    QTest::newRow("beyond the panels") << 130 << 5 << -1;
    QTest::newRow("left of the bar") << -1 << 5 << -1;
    QTest::newRow("below the bar") << 10 << 500 << -1;
  }
  void statusPanelAt() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, panel);
    TStatusBar bar;
    bar.SetPanels({{30, Qt::AlignCenter, false}, {30, Qt::AlignCenter, false}, {70, Qt::AlignCenter, false}});
    bar.resize(300, 22);
    QCOMPARE(StatusPanelAt(&bar, x, y), panel);
  }

  void lastPanelTakesTheRest() {
    TStatusBar bar;
    bar.SetPanels({{30, Qt::AlignCenter, true}, {-1, Qt::AlignLeft, false}});
    bar.resize(200, 22);
    QCOMPARE(bar.PanelWidths(), QList<int>({30, 170}));
    QCOMPARE(StatusPanelAt(&bar, 199, 5), 1);
  }

  void centerInRect() {
    QRect box = SizedRect(16, 16);
    QCOMPARE(box, QRect(0, 0, 16, 16));
    CenterInRect(box, QRect(30, 0, 30, 21));
    QCOMPARE(box.topLeft(), QPoint(37, 2));
    QCOMPARE(box.size(), QSize(16, 16));
  }

  void windowTextsAreTranslatedWhenCreated() {
    QTemporaryDir dir;
    const QString po = dir.filePath(QStringLiteral("digrex.de.po"));
    QFile file(po);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("msgid \"\"\nmsgstr \"Language: de\\n\"\n\n"
               "#: tformmain.actionaddfiles.caption\nmsgid \"Add Files\"\nmsgstr \"Dateien hinzuf\xc3\xbcgen\"\n\n"
               "#: TFORMMAIN.SB_COPYSHA256.HINT\nmsgid \"Copy to clipboard\"\nmsgstr \"Kopieren\"\n\n"
               "#: TFORMMAIN.LABELFILESIZE.CAPTION\nmsgid \"File size:\"\nmsgstr \"Gr\xc3\xb6\xc3\x9f" "e:\"\n\n"
               "#: TFORMMAIN.MI_HELP.CAPTION\nmsgid \"&Help\"\nmsgstr \"&Hilfe\"\n\n"
               "#: TFORMMAIN.CAPTION\nmsgid \"Digrex\"\nmsgstr \"Digrex DE\"\n\n"
               "#: TFORMLOGVIEWER.LISTVIEW.COLUMNS[1].CAPTION\nmsgid \"File\"\nmsgstr \"Datei\"\n");
    file.close();
    SetupTranslation(po);
    {
      TTestWindow w({}, false);
      TFormMain& f = *w.form;
      QCOMPARE(f.ActionAddFiles->text(), QString::fromUtf8("Dateien hinzuf\xc3\xbcgen"));
      QCOMPARE(f.LabelFileSize->text(), QString::fromUtf8("Gr\xc3\xb6\xc3\x9f" "e:"));
      QCOMPARE(f.MI_Help->title(), QStringLiteral("&Hilfe"));
      QCOMPARE(f.windowTitle(), QStringLiteral("Digrex DE"));
      // The type name is added after the translation.
      QCOMPARE(f.Rows[htSHA256].CopyButton->statusTip(), QStringLiteral("Kopieren (SHA256)"));
      QCOMPARE(f.Rows[htMD5].CopyButton->statusTip(), QStringLiteral("Kopieren (MD5)"));  // by its English text
      QCOMPARE(w.logViewer->Model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Datei"));
      // Labels exported to the clipboard are the translated ones.
      f.ActionExportToClipboard->trigger();
    }
    RemoveTranslations();
    TTestWindow english({}, false);
    QCOMPARE(english.form->ActionAddFiles->text(), QStringLiteral("Add Files"));
  }

  void commandsHaveNamesPicturesAndMenus() {
    TTestWindow w({}, false);
    TFormMain& f = *w.form;
    const QStringList names = {"ActionAddFiles", "ActionAddFolder", "ActionTextHash", "ActionSettings", "ActionExit",
                               "ActionViewLog", "ActionSaveLog", "ActionClearLog", "ActionToggleMessages",
                               "ActionCopyMessages", "ActionClearMessages", "ActionSkip", "ActionCancel",
                               "ActionSelectAll", "ActionSelectNone", "ActionCompareToNextFile",
                               "ActionCompareNextTwoFiles", "ActionExportToClipboard", "ActionRehashFile",
                               "ActionHelp", "ActionForum", "ActionHistory", "ActionCopyrights", "ActionAbout"};
    for (const QString& name : names) QVERIFY2(f.findChild<QAction*>(name) != nullptr, qPrintable(name));
    QCOMPARE(f.ActionSaveLog->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(f.ActionExportToClipboard->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    QCOMPARE(f.ActionHelp->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(f.ActionAbout->shortcut(), QKeySequence(QStringLiteral("Shift+F1")));
    QCOMPARE(f.ActionSkip->statusTip(), QStringLiteral("Skip current file"));
    QCOMPARE(f.ActionCancel->statusTip(), QStringLiteral("Cancel all files"));
    // Tool bar: every button has a picture; the order of the commands.
    QList<QAction*> bar;
    for (QAction* a : f.MainToolBar->actions()) {
      if (!a->isSeparator()) {
        bar << a;
        QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
      }
    }
    QCOMPARE(bar, QList<QAction*>({f.ActionAddFiles, f.ActionAddFolder, f.ActionTextHash, f.ActionViewLog,
                                   f.ActionSaveLog, f.ActionSkip, f.ActionCancel}));
    QVERIFY(!f.SB_Rehash->icon().isNull());
    QCOMPARE(f.SB_Rehash->statusTip(), QStringLiteral("Rehash current file"));
    QCOMPARE(f.MI_Log->actions().first(), f.ActionViewLog);
    QCOMPARE(f.MI_Options->actions().last(), f.ActionExportToClipboard);
    QCOMPARE(f.MI_Help->actions().last(), f.ActionAbout);
  }
};

QTEST_MAIN(TestAppHelpers)
#include "test_apphelpers.moc"
