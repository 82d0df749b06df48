#include "dialogs/FormAbout.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "app/FormTranslation.h"
#include "dialogs/ProgramIcon.h"
#include "util/Version.h"

namespace {

QString BuildDateText() { return GetBuildDate().toString(QStringLiteral("yyyy-MM-dd")); }

}  // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
  BuildControls();
  TranslateForm(this);
  FormCreate();
}

QString TFormAbout::BuildIdentification() {
  return ProductName() + QLatin1Char(' ') + GetVersionText() + QStringLiteral(" (") + BuildDateText() +
         QLatin1Char(')');
}

void TFormAbout::BuildControls() {
  setObjectName(QStringLiteral("FormAbout"));
  setWindowTitle(QStringLiteral("About"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);

  Panel_Header = new QFrame(this);
  Panel_Header->setObjectName(QStringLiteral("Panel_Header"));
  Panel_Header->setFrameShape(QFrame::NoFrame);
  Panel_Header->setAutoFillBackground(true);
  QPalette white = Panel_Header->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
  Panel_Header->setPalette(white);
  Panel_Header->installEventFilter(this);

  Image_Icon = new QLabel(Panel_Header);
  Image_Icon->setObjectName(QStringLiteral("Image_Icon"));
  Image_Icon->setAlignment(Qt::AlignCenter);
  const QIcon appIcon = QGuiApplication::windowIcon();
  Image_Icon->setPixmap(appIcon.isNull() ? DrawProgramIcon(64, devicePixelRatioF())
                                         : appIcon.pixmap(QSize(64, 64), devicePixelRatioF()));

  Label_Title = new QLabel(Panel_Header);
  Label_Title->setObjectName(QStringLiteral("Label_Title"));
  Label_Title->setAlignment(Qt::AlignCenter);
  QFont titleFont = Label_Title->font();
  titleFont.setPixelSize(28);
  titleFont.setBold(true);
  Label_Title->setFont(titleFont);

  Label_Version = new QLabel(QStringLiteral("Version:"), Panel_Header);
  Label_Version->setObjectName(QStringLiteral("Label_Version"));
  Label_Version->setAlignment(Qt::AlignCenter);
  Label_Date = new QLabel(QStringLiteral("Date:"), Panel_Header);
  Label_Date->setObjectName(QStringLiteral("Label_Date"));
  Label_Date->setAlignment(Qt::AlignCenter);

  auto* header = new QVBoxLayout(Panel_Header);
  header->setContentsMargins(24, 20, 24, 20);
  header->setSpacing(4);
  header->addWidget(Image_Icon);
  header->addWidget(Label_Title);
  header->addSpacing(4);
  header->addWidget(Label_Version);
  header->addWidget(Label_Date);

  Bevel_Header = new QFrame(this);
  Bevel_Header->setObjectName(QStringLiteral("Bevel_Header"));
  Bevel_Header->setFrameShape(QFrame::HLine);
  Bevel_Header->setFrameShadow(QFrame::Sunken);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 12);
  layout->setSpacing(0);
  layout->addWidget(Panel_Header);
  layout->addWidget(Bevel_Header);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Panel_Header->setMinimumWidth(280);
}

void TFormAbout::FormCreate() {
  Label_Title->setText(ProductName());
  Label_Version->setText(Label_Version->text() + QLatin1Char(' ') + GetVersionText());
  Label_Date->setText(Label_Date->text() + QLatin1Char(' ') + BuildDateText());
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
  // Releases over the labels reach the header too, since labels pass mouse events on.
  if (watched == Panel_Header && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    QGuiApplication::clipboard()->setText(BuildIdentification());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
