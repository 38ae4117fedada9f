// The program's shared texts: constants kept in their Japanese source form, shown translated.
#pragma once

#include <QCoreApplication>
#include <QString>

// Mark such a constant with QT_TRANSLATE_NOOP("zumeli", "...") so that lupdate collects it.

namespace zumeli {

// A constant marked with ZUMELI_TEXT in the language the program speaks: the Japanese source
// itself while no translation is installed, so the constants stay the designed texts.
inline QString translated(const QString& source)
{
    return QCoreApplication::translate("zumeli", source.toUtf8().constData());
}

} // namespace zumeli
