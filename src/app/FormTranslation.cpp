#include "app/FormTranslation.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "i18n/Translator.h"

namespace {

QString Translated(const QString& formClass, const QString& name, const char* property, const QString& text) {
  if (text.isEmpty()) return text;
  return TranslateFormText(FormTextKey({formClass, name, QString::fromLatin1(property)}), text);
}

}  // namespace

void TranslateFormObject(QObject* object, const QString& formClass) {
  const QString name = object->objectName();
  if (name.isEmpty()) return;
  if (auto* action = qobject_cast<QAction*>(object)) {
    if (action->isSeparator()) return;
    action->setText(Translated(formClass, name, "Caption", action->text()));
    action->setStatusTip(Translated(formClass, name, "Hint", action->statusTip()));
    return;
  }
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return;
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(Translated(formClass, name, "Caption", label->text()));
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    // A button that shows a command takes the command's texts, translated with the command.
    if (!button->actions().isEmpty()) return;
    button->setText(Translated(formClass, name, "Caption", button->text()));
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(Translated(formClass, name, "Caption", group->title()));
  } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
    menu->setTitle(Translated(formClass, name, "Caption", menu->title()));
  }
  widget->setStatusTip(Translated(formClass, name, "Hint", widget->statusTip()));
}

void TranslateForm(QWidget* form, const QString& formClass) {
  if (form == nullptr) return;
  const QString cls = formClass.isEmpty() ? QString::fromLatin1(form->metaObject()->className()) : formClass;
  form->setWindowTitle(TranslateFormText(FormTextKey({cls, QStringLiteral("Caption")}), form->windowTitle()));
  const QList<QObject*> objects = form->findChildren<QObject*>();
  for (QObject* object : objects) TranslateFormObject(object, cls);
}
