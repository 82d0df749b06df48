#pragma once
// TFormAbout: the program's name, icon, version and build date. Not modal; Esc closes it.
// A right click on the white header copies "Digrex <version> (<YYYY-MM-DD>)".
//
//   formAbout = new TFormAbout(mainWindow);
//   ActionAbout: formAbout->show(); formAbout->raise(); formAbout->activateWindow();
#include <QDialog>
#include <QString>

class QFrame;
class QLabel;

class TFormAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TFormAbout(QWidget* parent = nullptr);

  // "Digrex 3.3 (2016-12-04)": what a right click on the header copies.
  static QString BuildIdentification();

  QFrame* Panel_Header = nullptr;
  QLabel* Image_Icon = nullptr;
  QLabel* Label_Title = nullptr;
  QLabel* Label_Version = nullptr;
  QLabel* Label_Date = nullptr;
  QFrame* Bevel_Header = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void FormCreate();
};
