#include "widgets/fonts.h"

#include <QFont>

namespace bw {

void installFontSubstitutions()
{
    // On Linux the system's font configuration already maps "Times New Roman" onto Liberation
    // Serif; a Windows without it (Wine's, for one) is told here. Where the original is
    // installed, Qt never consults a substitution.
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace bw
