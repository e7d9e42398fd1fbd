// Drop-down lists change only on purpose: a mouse wheel turned over one scrolls the column
// it sits in, instead of replacing the style (and unsaved edits) or a colour under the pointer.
#pragma once

#include <QObject>

class QWidget;

namespace lumabord {

// Guards every drop-down list below root: the wheel passes them by, and a click or a key,
// not the wheel, gives them the focus.
void guardListsFromWheel(QWidget* root);

}  // namespace lumabord
