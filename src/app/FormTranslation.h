#pragma once
// Translating a window's texts once, right after its controls are built.
//
// Every object below the window that has an objectName takes part: the key of a
// text is the window's class name, the object's name and the property, e.g.
// "TFORMMAIN.ACTIONADDFILES.CAPTION" or "TFORMSAVELOG.BITBTN_SAVE.HINT".
//   - captions ("CAPTION"): text of actions, labels and buttons (check boxes,
//     radio buttons, push and tool buttons), title of group boxes and menus;
//   - hints ("HINT"): the status tip of actions and widgets;
//   - the window's own title is "<CLASS>.CAPTION".
// Texts that are empty are left alone. Texts a window builds some other way
// (table columns, list items) are translated by the window with TranslateFormText
// and FormTextKey of i18n/Translator.h.
//
//   TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
//     BuildControls();
//     TranslateForm(this);        // or TranslateForm(this, "TFormAbout")
//   }
#include <QString>

class QObject;
class QWidget;

// formClass: the key's first part; empty means the window's C++ class name.
void TranslateForm(QWidget* form, const QString& formClass = QString());

// Translates the texts of one object (and nothing below it) under formClass.
void TranslateFormObject(QObject* object, const QString& formClass);
