// `cmake --install` of this build into a temporary prefix: the installed folder holds the
// programs and everything digrex looks for beside itself, the desktop entry and the icons;
// the installed programs run, also through symbolic links, digrex finds its catalogues
// and keeps its settings in the user's own folder instead of the program folder.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString SourceDir = QStringLiteral(DIGREX_SOURCE_DIR);
const QByteArray AbcSha256 = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& data) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

struct TRun {
  int ExitCode = -1;
  QByteArray Out;
  QByteArray Err;
};

TRun Run(const QString& program, const QStringList& arguments, const QProcessEnvironment& env,
         const QString& folder = QString()) {
  constexpr int timeoutMs = 120000;
  QProcess process;
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(folder);
  process.start(program, arguments);
  TRun run;
  if (!process.waitForFinished(timeoutMs)) {
    process.kill();
    process.waitForFinished();
    run.Err = "timed out";
    return run;
  }
  run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Out = process.readAllStandardOutput();
  run.Err = process.readAllStandardError();
  return run;
}

// Every file below folder, as paths relative to it.
QStringList FilesBelow(const QString& folder) {
  QStringList files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
  files.sort();
  return files;
}

// The keyboard-driven session with the real program, shared with the other tests that start it.
QString SessionScript() { return qEnvironmentVariable("DIGREX_TEST_SUPPORT") + QStringLiteral("/digrex_session.sh"); }

}  // namespace

class TestInstallTree : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir root_;
  QString prefix_;   // the installed folder
  QString bin_;      // its program folder
  QString links_;    // a folder of symbolic links to the installed programs
  QProcessEnvironment env_;

  QProcessEnvironment InstallEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DESTDIR"));
    return env;
  }

 private slots:
  void initTestCase() {
    QVERIFY(root_.isValid());
    // A blank in the prefix, as a user's own folder may have one.
    prefix_ = root_.filePath(QStringLiteral("opt/digrex 3"));
    bin_ = prefix_ + QStringLiteral("/bin");
    const TRun install = Run(QStringLiteral(DIGREX_CMAKE),
                             {QStringLiteral("--install"), QStringLiteral(DIGREX_BUILD_DIR), QStringLiteral("--prefix"),
                              prefix_},
                             InstallEnvironment());
    QVERIFY2(install.ExitCode == 0, install.Out + install.Err);

    links_ = root_.filePath(QStringLiteral("usr/local/bin"));
    QVERIFY(QDir().mkpath(links_));
    for (const char* name : {"digrex", "digrexsum"}) {
      QVERIFY(QFile::link(bin_ + u'/' + QLatin1String(name), links_ + u'/' + QLatin1String(name)));
    }
    QVERIFY(WriteAll(root_.filePath(QStringLiteral("abc.txt")), "abc"));

    // A user of its own: home, configuration and language fixed, nothing from the real user.
    const QString home = root_.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home));
    env_ = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "XDG_DOCUMENTS_DIR", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
      env_.remove(QLatin1String(name));
    env_.insert(QStringLiteral("HOME"), home);
    env_.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env_.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
  }

  void treeHoldsProgramsDataAndDesktopFiles() {
    for (const char* name : {"digrex", "digrexsum"}) {
      const QFileInfo program(bin_ + u'/' + QLatin1String(name));
      QVERIFY2(program.isFile() && program.isExecutable(), qPrintable(program.filePath()));
    }
    for (const char* name : {"History.txt", "Copyrights.txt"}) {
      const QByteArray shipped = ReadAll(SourceDir + QStringLiteral("/data/") + QLatin1String(name));
      QVERIFY(!shipped.isEmpty());
      QCOMPARE(ReadAll(bin_ + u'/' + QLatin1String(name)), shipped);
    }
    // The whole value, without a line break: "#USER#\n" would name a folder instead.
    QCOMPARE(ReadAll(bin_ + QStringLiteral("/Storage.ini")), QByteArray("#USER#"));
    QVERIFY(!QFile::exists(bin_ + QStringLiteral("/Settings.ini")));

    // Every catalogue and flag picture that is shipped.
    const QStringList languages = FilesBelow(SourceDir + QStringLiteral("/data/Languages"));
    QCOMPARE(FilesBelow(bin_ + QStringLiteral("/Languages")), languages);

    const QString hicolor = prefix_ + QStringLiteral("/share/icons/hicolor/");
    QCOMPARE(ReadAll(hicolor + QStringLiteral("scalable/apps/digrex.svg")),
             ReadAll(SourceDir + QStringLiteral("/data/icons/digrex.svg")));
    const QStringList pngs =
        QDir(SourceDir + QStringLiteral("/data/icons")).entryList({QStringLiteral("digrex-*.png")}, QDir::Files);
    QVERIFY(pngs.size() >= 4);
    for (const QString& png : pngs) {
      const int size = QString(png).remove(QStringLiteral("digrex-")).remove(QStringLiteral(".png")).toInt();
      const QString installed = hicolor + QStringLiteral("%1x%1/apps/digrex.png").arg(size);
      const QImage image(installed);
      QVERIFY2(!image.isNull(), qPrintable(installed));
      QCOMPARE(image.size(), QSize(size, size));
    }
  }

  // The entry starts the installed program by its full path, blank quoted, with the files
  // and folders a file manager hands over; the rest is the shipped entry. Every file type
  // derives from application/octet-stream or text/plain, so all files are offered.
  void desktopEntryNamesTheInstalledProgram() {
    const QString desktop = prefix_ + QStringLiteral("/share/applications/digrex.desktop");
    const QString entry = QString::fromUtf8(ReadAll(desktop));
    QVERIFY2(entry.contains(QStringLiteral("\nExec=\"%1/digrex\" %F\n").arg(bin_)), qPrintable(entry));
    const QString shipped = QString::fromUtf8(ReadAll(SourceDir + QStringLiteral("/data/digrex.desktop")));
    QCOMPARE(QString(entry).replace(QRegularExpression(QStringLiteral("\nExec=[^\n]*")), QString()),
             QString(shipped).replace(QRegularExpression(QStringLiteral("\nExec=[^\n]*")), QString()));
    for (const QString& line : {QStringLiteral("Icon=digrex"), QStringLiteral("Type=Application"),
                                QStringLiteral("MimeType=application/octet-stream;text/plain;inode/directory;")}) {
      QVERIFY2(entry.split(u'\n').contains(line), qPrintable(line));
    }

    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
    const TRun run = Run(validator, {desktop}, env_);
    QVERIFY2(run.ExitCode == 0 && run.Out.isEmpty(), run.Out + run.Err);
  }

  // Installed with DESTDIR for packaging and with links asked for: the links point to the
  // final place, not into the staging folder.
  void stagedInstallLinksToTheFinalPrefix() {
    const QString stage = root_.filePath(QStringLiteral("stage"));
    QProcessEnvironment env = InstallEnvironment();
    env.insert(QStringLiteral("DESTDIR"), stage);
    const TRun install = Run(QStringLiteral(DIGREX_CMAKE),
                             {QStringLiteral("-DCMAKE_INSTALL_PREFIX=/opt/digrex"),
                              QStringLiteral("-DDIGREX_LINK_DIR=/usr/local/bin"),
                              QStringLiteral("-DDIGREX_LINK_SHARE_DIR=/usr/local/share"), QStringLiteral("-P"),
                              QStringLiteral(DIGREX_BUILD_DIR "/cmake_install.cmake")},
                             env);
    QVERIFY2(install.ExitCode == 0, install.Out + install.Err);
    QVERIFY(QFileInfo(stage + QStringLiteral("/opt/digrex/bin/digrex")).isExecutable());
    QVERIFY(QFileInfo::exists(stage + QStringLiteral("/opt/digrex/bin/Storage.ini")));
    const QList<std::pair<QString, QString>> links = {
        {QStringLiteral("/usr/local/bin/digrex"), QStringLiteral("/opt/digrex/bin/digrex")},
        {QStringLiteral("/usr/local/bin/digrexsum"), QStringLiteral("/opt/digrex/bin/digrexsum")},
        {QStringLiteral("/usr/local/share/applications/digrex.desktop"),
         QStringLiteral("/opt/digrex/share/applications/digrex.desktop")},
        {QStringLiteral("/usr/local/share/icons/hicolor/48x48/apps/digrex.png"),
         QStringLiteral("/opt/digrex/share/icons/hicolor/48x48/apps/digrex.png")},
        {QStringLiteral("/usr/local/share/icons/hicolor/scalable/apps/digrex.svg"),
         QStringLiteral("/opt/digrex/share/icons/hicolor/scalable/apps/digrex.svg")},
    };
    for (const auto& [link, target] : links) {
      const QFileInfo info(stage + link);
      QVERIFY2(info.isSymLink(), qPrintable(link));
      QCOMPARE(info.symLinkTarget(), target);
      QVERIFY2(QFileInfo::exists(stage + target), qPrintable(target));
    }
    const QString entry = QString::fromUtf8(ReadAll(stage + QStringLiteral("/opt/digrex/share/applications/digrex.desktop")));
    QVERIFY2(entry.contains(QStringLiteral("\nExec=/opt/digrex/bin/digrex %F\n")), qPrintable(entry));
  }

  void digrexsumRunsInstalledAndThroughALink() {
    for (const QString& program : {bin_ + QStringLiteral("/digrexsum"), links_ + QStringLiteral("/digrexsum")}) {
      const TRun run = Run(program, {QStringLiteral("abc.txt")}, env_, root_.path());
      QVERIFY2(run.ExitCode == 0, qPrintable(program + u'\n' + QString::fromUtf8(run.Err)));
      QCOMPARE(run.Out, AbcSha256 + "  abc.txt\n");
    }
  }

  // Started through the link in a folder of its own, digrex finds the catalogues beside the
  // real executable, and its settings go to the user's documents folder.
  void digrexThroughALinkFindsItsFilesAndKeepsSettingsWithTheUser() {
    for (const char* tool : {"xvfb-run", "xdotool", "xclip"}) {
      if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
        QSKIP(qPrintable(QStringLiteral("%1 is not installed: starting the installed digrex needs xvfb, xdotool and xclip")
                             .arg(QString::fromLatin1(tool))));
      }
    }
    // A shipped catalogue, German if there is one; named after the executable.
    QString code;
    const QStringList catalogues =
        QDir(bin_ + QStringLiteral("/Languages")).entryList({QStringLiteral("*.po")}, QDir::Files, QDir::Name);
    for (const QString& name : catalogues) {
      const QStringList parts = name.split(u'.');
      if (parts.size() == 3 && (code.isEmpty() || parts[1] == QStringLiteral("de"))) code = parts[1];
    }
    if (code.isEmpty()) qWarning("No catalogue is shipped in data/Languages: the translated run is left out");

    const QString file = root_.filePath(QStringLiteral("abc.txt"));
    const QString log = root_.filePath(QStringLiteral("digrex.log"));
    // A display number of its own, away from the 99 where other tests' xvfb-run -a starts
    // looking, so that two servers started at once do not both take the same free number.
    QStringList arguments = {QStringLiteral("-a"),
                             QStringLiteral("-n"),
                             QString::number(150 + QCoreApplication::applicationPid() % 100),
                             QStringLiteral("-s"),
                             QStringLiteral("-screen 0 1024x768x24"),
                             QStringLiteral("bash"),
                             SessionScript(),
                             links_ + QStringLiteral("/digrex"),
                             log};
    if (!code.isEmpty()) arguments << QStringLiteral("--lang") << code;
    arguments << file;
    const TRun run = Run(QStringLiteral("xvfb-run"), arguments, env_);
    const QStringList lines = QString::fromUtf8(run.Out).split(u'\n', Qt::SkipEmptyParts);
    const QString said = QString::fromUtf8(run.Out + run.Err) + QStringLiteral("\ndigrex said:\n") +
                         QString::fromUtf8(ReadAll(log));
    QVERIFY2(run.ExitCode == 0 && lines.contains(QStringLiteral("EXIT 0")), qPrintable(said));
    QVERIFY2(lines.size() >= 5 && lines[0] == file, qPrintable(said));
    QVERIFY2(lines.contains(QStringLiteral("SHA256: ") + QString::fromLatin1(AbcSha256), Qt::CaseInsensitive),
             qPrintable(said));
    // The size line's label comes from the catalogue when one was found.
    if (code.isEmpty()) {
      QCOMPARE(lines[1], QStringLiteral("File size: 3 B"));
    } else {
      QVERIFY2(lines[1] != QStringLiteral("File size: 3 B") && lines[1].contains(u'3'), qPrintable(said));
    }

    // The window carries the program's icon (seen when xprop is there to look).
    for (const QString& line : lines) {
      if (line.startsWith(QStringLiteral("ICON: "))) QVERIFY2(line.contains(QStringLiteral("_NET_WM_ICON(CARDINAL) = ")), qPrintable(line));
    }

    const QString settings = env_.value(QStringLiteral("HOME")) + QStringLiteral("/Documents/Velnor/Digrex/Settings.ini");
    QVERIFY2(QFileInfo(settings).isFile(), qPrintable(said));
    QVERIFY(ReadAll(settings).contains("[General]"));
    QVERIFY(!QFile::exists(bin_ + QStringLiteral("/Settings.ini")));
    QVERIFY(!QFile::exists(links_ + QStringLiteral("/Settings.ini")));
  }
};

QTEST_GUILESS_MAIN(TestInstallTree)
#include "test_install.moc"
