// File-dialog filters as the file commands write them ("description|pattern|...") and their
// translation into the form Qt's file dialog reads.
#pragma once

#include <QString>

namespace zumeli {

// "ズメリファイル(*.zml)|*.zml|すべてのファイル(*.*)|*" becomes
// "ズメリファイル(*.zml);;すべてのファイル(*.*) (*)": a description that ends in its own single
// pattern stays as it is; otherwise its patterns follow in parentheses, separated by blanks.
QString qtFileDialogFilter(const QString& filter);

// The extension a name typed without one gets in a save dialog: the first pattern's
// ("*.zml" gives "zml"), or nothing when the first pattern names no extension.
QString defaultSuffix(const QString& filter);

} // namespace zumeli
