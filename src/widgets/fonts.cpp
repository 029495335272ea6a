#include "widgets/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <utility>

namespace bw {

namespace {

// Each designed family that is not installed, and the installed family standing in for it.
QHash<QString, QString> &standIns()
{
    static QHash<QString, QString> table;
    return table;
}

} // namespace

void installFontSubstitutions()
{
    // On Linux the system's font configuration already maps "Times New Roman" onto Liberation
    // Serif; a Windows without it (Wine's, for one) is told here. Where the original is
    // installed, Qt never consults a substitution.
    const std::pair<const char *, const char *> twins[] = {{"Times New Roman", "Liberation Serif"},
                                                           {"Microsoft Sans Serif", "Liberation Sans"},
                                                           {"MS Sans Serif", "Liberation Sans"}};
    for (const auto &[designed, twin] : twins)
        QFont::insertSubstitution(QString::fromLatin1(designed), QString::fromLatin1(twin));

    // A family that is not installed costs a search of the system's whole fallback list for
    // every font made from it before Qt takes the substitute: name the substitute at once.
    QStringList installed = QFontDatabase::families();
    for (QString &family : installed)
        family = family.section(QStringLiteral(" ["), 0, 0); // "Family [Foundry]"
    const auto find = [&installed](const QString &family) {
        const qsizetype at = installed.indexOf(family);
        if (at >= 0)
            return installed[at];
        for (const QString &name : installed)
            if (name.compare(family, Qt::CaseInsensitive) == 0)
                return name;
        return QString();
    };
    QHash<QString, QString> &table = standIns();
    table.clear();
    for (const auto &[designed, twin] : twins) {
        const QString family = QString::fromLatin1(designed);
        if (!find(family).isEmpty())
            continue;
        for (const QString &substitute : QFont::substitutes(family)) {
            if (const QString name = find(substitute); !name.isEmpty()) {
                table.insert(family, name);
                break;
            }
        }
    }
}

QString installedFamily(const QString &family)
{
    return standIns().value(family, family);
}

} // namespace bw
