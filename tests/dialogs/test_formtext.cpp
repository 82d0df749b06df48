// The text hashing window: the bytes handed to the main window for each encoding.
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "dialogs/FormText.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

// What the window handed over the last time it hashed.
QByteArray LastBytes(const QSignalSpy& spy) { return spy.isEmpty() ? QByteArray() : spy.last().at(0).toByteArray(); }

// Text as typed: line breaks with the Enter key, everything else inserted as a paste would.
void Type(QPlainTextEdit* memo, const QString& text) {
  memo->setFocus();
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(memo, Qt::Key_Return);
    memo->insertPlainText(lines[i]);
  }
}

}  // namespace

class TestFormText : public QObject {
  Q_OBJECT

 private slots:
  void bytesOfEachEncoding_data() {
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("typed");  // "\n" is the Enter key
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shownAfter");

    const QString abcE = QStringLiteral("abc\n") + QChar(0xE9);
    QTest::newRow("utf8") << "RB_EncodingUTF8" << abcE << Hex("6162630D0AC3A9") << QString("abc\n") + QChar(0xE9);
    QTest::newRow("unicode") << "RB_EncodingUnicode" << abcE << Hex("610062006300" "0D000A00E900")
                             << QString("abc\n") + QChar(0xE9);
    QTest::newRow("ansi") << "RB_EncodingANSI" << abcE << Hex("6162630D0AE9") << QString("abc\n") + QChar(0xE9);
    // Ω is not in Windows-1252: hashed as "?" and shown as "?" afterwards; € is (0x80).
    QTest::newRow("ansi unmappable") << "RB_EncodingANSI" << QString(QChar(0x3A9)) + QChar(0x20AC) << Hex("3F80")
                                     << QString("?") + QChar(0x20AC);
    QTest::newRow("unicode beyond 16 bits") << "RB_EncodingUnicode" << QString::fromUtf8("\xF0\x9F\x98\x80")
                                            << Hex("3DD800DE") << QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("trailing line break") << "RB_EncodingUTF8" << QStringLiteral("a\n\n") << Hex("610D0A0D0A")
                                         << QStringLiteral("a\n\n");
    // A no-break space is hashed as itself, not as a blank.
    QTest::newRow("no-break space") << "RB_EncodingUTF8" << QString("a") + QChar(0xA0) << Hex("61C2A0")
                                    << QString("a") + QChar(0xA0);
    QTest::newRow("empty") << "RB_EncodingUnicode" << QString() << QByteArray() << QString();
  }

  void bytesOfEachEncoding() {
    QFETCH(QString, encoding);
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shownAfter);
    TFormText form;
    form.findChild<QRadioButton*>(encoding)->setChecked(true);
    QSignalSpy hashed(&form, &TFormText::HashTextRequested);
    form.show();
    Type(form.MemoText, typed);
    QCOMPARE(hashed.count(), 0);  // typing alone hashes nothing
    form.BitBtnHash->click();
    QCOMPARE(hashed.count(), 1);
    QCOMPARE(LastBytes(hashed), bytes);
    QCOMPARE(form.TypedText(), QString(shownAfter).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  }

  void selectedEncodingFollowsTheButtons() {
    TFormText form;
    QCOMPARE(form.SelectedEncoding(), teUTF8);
    QVERIFY(form.RB_EncodingUTF8->isChecked());
    form.RB_EncodingUnicode->setChecked(true);
    QCOMPARE(form.SelectedEncoding(), teUnicode);
    form.RB_EncodingANSI->setChecked(true);
    QCOMPARE(form.SelectedEncoding(), teANSI);
  }

  void changingTheEncodingRehashesOnlyWhileVisible() {
    TFormText form;
    QSignalSpy hashed(&form, &TFormText::HashTextRequested);
    form.MemoText->setPlainText(QString(QChar(0xE9)));
    form.RB_EncodingUnicode->setChecked(true);  // hidden: nothing happens
    QCOMPARE(hashed.count(), 0);

    form.show();
    form.RB_EncodingUTF8->setChecked(true);
    QCOMPARE(hashed.count(), 1);  // once per change, not once per button
    QCOMPARE(LastBytes(hashed), Hex("C3A9"));
    form.RB_EncodingUnicode->setChecked(true);
    QCOMPARE(hashed.count(), 2);
    QCOMPARE(LastBytes(hashed), Hex("E900"));
  }

  void ansiReplacementsStayAfterSwitchingBack() {
    TFormText form;
    QSignalSpy hashed(&form, &TFormText::HashTextRequested);
    form.show();
    form.MemoText->setPlainText(QStringLiteral("x") + QChar(0x4E2D));
    form.RB_EncodingANSI->setChecked(true);
    QCOMPARE(LastBytes(hashed), Hex("783F"));
    form.RB_EncodingUTF8->setChecked(true);
    QCOMPARE(LastBytes(hashed), Hex("783F"));
    QCOMPARE(form.MemoText->toPlainText(), QStringLiteral("x?"));
  }

  void ctrlEnterHashesWithoutALineBreak() {
    TFormText form;
    QSignalSpy hashed(&form, &TFormText::HashTextRequested);
    form.show();
    Type(form.MemoText, QStringLiteral("ab"));
    QTest::keyClick(form.MemoText, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(hashed.count(), 1);
    QCOMPARE(LastBytes(hashed), QByteArray("ab"));
    QCOMPARE(form.MemoText->toPlainText(), QStringLiteral("ab"));
    // Other modifiers held as well do not matter; the keypad's Enter counts too.
    QTest::keyClick(form.MemoText, Qt::Key_Enter, Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
    QCOMPARE(hashed.count(), 2);
    QCOMPARE(form.MemoText->toPlainText(), QStringLiteral("ab"));
    // With the focus elsewhere in the window as well.
    form.RB_EncodingANSI->setFocus();
    QTest::keyClick(form.RB_EncodingANSI, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(hashed.count(), 3);
    // Enter alone breaks the line.
    QTest::keyClick(form.MemoText, Qt::Key_Return);
    QCOMPARE(hashed.count(), 3);
    QCOMPARE(form.MemoText->toPlainText(), QStringLiteral("ab\n"));
  }

  void busyPointerIsRestoredWhenHashingFails() {
    TFormText form;
    connect(&form, &TFormText::HashTextRequested, this, [] { throw std::runtime_error("digest engine failed"); });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, form.HashTypedText());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void windowAndControls() {
    TFormText form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Hash Text"));
    QCOMPARE(form.BitBtnHash->text(), QStringLiteral("Hash Text"));
    QCOMPARE(form.RB_EncodingUTF8->text(), QStringLiteral("UTF-8"));
    QCOMPARE(form.RB_EncodingUnicode->text(), QStringLiteral("Unicode"));
    QCOMPARE(form.RB_EncodingANSI->text(), QStringLiteral("ANSI"));
    QCOMPARE(form.MemoText->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(form.isWindow());
    QVERIFY(form.findChild<QWidget*>(QStringLiteral("GroupBoxEncoding")) != nullptr);
  }
};

QTEST_MAIN(TestFormText)
#include "test_formtext.moc"
