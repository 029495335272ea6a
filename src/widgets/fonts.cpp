#include "widgets/fonts.h"

#include <QFont>

namespace bw {

void installFontSubstitutions()
{
    // "Times New Roman" is left to the system's font configuration, which already maps it
    // onto Liberation Serif where the original is not installed.
    QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace bw
