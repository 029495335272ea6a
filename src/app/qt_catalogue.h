#pragma once

#include <QString>
#include <QStringList>

namespace bw {

// The file name of Qt's own French catalogue (the standard buttons of message boxes).
inline constexpr const char *kQtCatalogueName = "qtbase_fr.qm";
// Its copy compiled into the program, read when no installed one is found.
inline constexpr const char *kQtCatalogueResource = ":/i18n/qtbase_fr.qm";

// Where Qt keeps its catalogues on this system: on Linux the folder Qt's own packages install
// them into (QLibraryInfo's TranslationsPath; Debian's qt6-translations-l10n); on Windows the
// translations folder beside the program, where Qt's deployment puts them, then Qt's own.
QStringList qtCatalogueFolders();

// The catalogue to read: the first of the folders that holds it, which is read where it lies,
// or else the compiled-in copy, which has to be decompressed first.
QString qtCatalogue(const QStringList &folders = qtCatalogueFolders());

} // namespace bw
