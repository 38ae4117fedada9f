// File-dialog filters as the file commands write them ("description|pattern|...") and their
// translation into the form Qt's file dialog reads.
#pragma once

#include <QString>

namespace zumeli {

// "ズメリファイル(*.zml)|*.zml|すべてのファイル(*.*)|*" becomes
// "ズメリファイル(*.zml) (*.zml);;すべてのファイル(*.*) (*)": each description keeps its text,
// its patterns follow in parentheses, separated by blanks instead of ";".
QString qtFileDialogFilter(const QString& filter);

} // namespace zumeli
