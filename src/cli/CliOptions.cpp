#include "cli/CliOptions.h"

#include "util/Version.h"

TLineFormat TCliOptions::HashingFormat() const {
  if (Format) return *Format;
  return CountHashTypes(HashingTypes()) > 1 ? TLineFormat::Tag : TLineFormat::Sum;
}

THashTypes ParseAlgorithmList(const QString& text) {
  THashTypes set = 0;
  for (const QString& piece : text.split(u',', Qt::SkipEmptyParts)) {
    const QString name = piece.trimmed();
    if (name.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
      set |= AllHashTypes();
      continue;
    }
    const THashType type = HashTypeFromUserName(name);
    if (type == htNone)
      throw ECliUsageError(QStringLiteral("unknown algorithm '%1' (known: %2, all)")
                               .arg(name, HashTypesToNames(AllHashTypes())));
    set |= HashTypeBit(type);
  }
  if (set == 0) throw ECliUsageError(QStringLiteral("no algorithm named"));
  return set;
}

static TLineFormat ParseFormat(const QString& text) {
  if (text == QLatin1String("sum")) return TLineFormat::Sum;
  if (text == QLatin1String("sfv")) return TLineFormat::Sfv;
  if (text == QLatin1String("tag")) return TLineFormat::Tag;
  throw ECliUsageError(QStringLiteral("unknown format '%1' (sum, sfv or tag)").arg(text));
}

TCliOptions ParseCliOptions(const QStringList& args) {
  TCliOptions o;
  bool optionsEnded = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (optionsEnded || arg == QLatin1String("-") || !arg.startsWith(u'-')) {
      o.Paths << arg;
      continue;
    }
    if (arg == QLatin1String("--")) {
      optionsEnded = true;
      continue;
    }
    // "--name=value" and "-aVALUE" carry their value; otherwise it is the next argument.
    QString name = arg;
    std::optional<QString> inlineValue;
    if (arg.startsWith(QLatin1String("--"))) {
      const qsizetype eq = arg.indexOf(u'=');
      if (eq > 0) {
        name = arg.left(eq);
        inlineValue = arg.mid(eq + 1);
      }
    } else if (arg.size() > 2) {
      name = arg.left(2);
      inlineValue = arg.mid(2);
    }
    auto value = [&]() -> QString {
      if (inlineValue) return *inlineValue;
      if (i + 1 >= args.size()) throw ECliUsageError(QStringLiteral("option '%1' needs a value").arg(name));
      return args[++i];
    };
    auto flag = [&](bool& target) {
      if (inlineValue) throw ECliUsageError(QStringLiteral("option '%1' takes no value").arg(name));
      target = true;
    };
    if (name == QLatin1String("-a") || name == QLatin1String("--algorithms")) {
      o.Algorithms |= ParseAlgorithmList(value());
    } else if (name == QLatin1String("--format")) {
      o.Format = ParseFormat(value());
    } else if (name == QLatin1String("-c") || name == QLatin1String("--check")) {
      flag(o.Check);
    } else if (name == QLatin1String("--header")) {
      flag(o.Header);
    } else if (name == QLatin1String("--crlf")) {
      flag(o.CrLf);
    } else if (name == QLatin1String("--lower") || name == QLatin1String("--upper")) {
      bool set = false;
      flag(set);
      const bool upper = name == QLatin1String("--upper");
      if (o.UpperCase && *o.UpperCase != upper)
        throw ECliUsageError(QStringLiteral("--lower and --upper exclude each other"));
      o.UpperCase = upper;
    } else if (name == QLatin1String("--quiet")) {
      flag(o.Quiet);
    } else if (name == QLatin1String("--status")) {
      flag(o.Status);
    } else if (name == QLatin1String("-h") || name == QLatin1String("--help")) {
      flag(o.Help);
    } else if (name == QLatin1String("--version")) {
      flag(o.Version);
    } else {
      throw ECliUsageError(QStringLiteral("unknown option '%1'").arg(arg));
    }
  }
  if (o.Help || o.Version) return o;
  if (o.Check) {
    if (o.Format || o.Header || o.CrLf || o.UpperCase)
      throw ECliUsageError(QStringLiteral("--format, --header, --crlf, --lower and --upper are for hashing, not -c"));
  } else if (o.Quiet || o.Status) {
    throw ECliUsageError(QStringLiteral("--quiet and --status are for verifying with -c"));
  }
  if (o.Paths.isEmpty()) o.Paths << QStringLiteral("-");
  return o;
}

QString CliVersionText() {
  return QStringLiteral("digrexsum (%1) %2").arg(ProductName(), GetVersionText());
}

QString CliUsageText() {
  return QStringLiteral(
      "Usage: digrexsum [OPTIONS] [PATH...]\n"
      "       digrexsum -c [OPTIONS] CHECKFILE...\n"
      "Hashes files, folders (walked in the file system's order) and standard input (- or no\n"
      "path), each file in one read whatever the number of algorithms; with -c, checks the\n"
      "files listed in checksum files.\n"
      "\n"
      "  -a, --algorithms LIST  comma-separated: CRC32, MD2, MD4, MD5, SHA1, SHA256, SHA512,\n"
      "                         RipeMD128, RipeMD160, ED2K (any letter case), or all;\n"
      "                         default SHA256. With -c: the type of untagged lines\n"
      "      --format FORMAT    sum: \"digest  name\" (md5sum, sha256sum), sfv: \"name digest\",\n"
      "                         tag: \"ALG (name) = digest\"; default sum for one algorithm,\n"
      "                         tag for several\n"
      "      --header           start with a \"; Generated by\" comment line\n"
      "      --crlf             end lines with CR LF\n"
      "      --lower, --upper   digest letter case (default: each algorithm's own)\n"
      "  -c, --check            verify the files listed in CHECKFILE (SFV, sum or tag lines)\n"
      "      --quiet            with -c: print failures only\n"
      "      --status           with -c: print nothing; the exit status tells\n"
      "  -h, --help             show this help\n"
      "      --version          show the version\n"
      "\n"
      "Untagged lines take their type from -a, else the checksum file's extension (.sfv,\n"
      ".md5, .sha1, .sha256, .sha512, .md4, .md2, .ed2k and their ...sum forms), else the\n"
      "digest's length; a length several types share is checked against all of them.\n"
      "Relative names are taken from the checksum file's folder.\n"
      "\n"
      "Exit status: 0 all fine; 1 a file failed, was missing or unreadable, a line was\n"
      "not understood, or nothing was verified; 2 a usage error.\n");
}
