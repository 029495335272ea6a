// Qt's own French catalogue is read where Qt keeps it installed, and from the copy compiled into
// the program where no folder holds it.
#include "app/language.h"
#include "app/qt_catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace bw;

class QtCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    // Folders by what they hold: "file" the catalogue, "folder" a folder of its name, "-"
    // nothing; the catalogue read is the first folder's that holds one as a file.
    void firstFolderHoldingItWins_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<int>("expected"); // -1: the compiled-in copy
        QTest::newRow("the first") << QStringList{"file", "file"} << 0;
        QTest::newRow("the second") << QStringList{"-", "file"} << 1;
        QTest::newRow("none holds it") << QStringList{"-", "-"} << -1;
        QTest::newRow("no folders") << QStringList{} << -1;
        QTest::newRow("a folder of its name") << QStringList{"folder", "file"} << 1;
        QTest::newRow("a folder that is not there") << QStringList{"missing", "file"} << 1;
    }
    void firstFolderHoldingItWins()
    {
        QFETCH(QStringList, folders);
        QFETCH(int, expected);
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        QStringList paths;
        for (qsizetype i = 0; i < folders.size(); ++i) {
            const QString folder = scratch.filePath(QString::number(i));
            paths << folder;
            if (folders[i] == QLatin1String("missing"))
                continue;
            QVERIFY(QDir().mkpath(folder));
            const QString catalogue = folder + QLatin1Char('/') + QLatin1String(kQtCatalogueName);
            if (folders[i] == QLatin1String("file")) {
                QFile out(catalogue);
                QVERIFY(out.open(QIODevice::WriteOnly));
            } else if (folders[i] == QLatin1String("folder")) {
                QVERIFY(QDir().mkpath(catalogue));
            }
        }
        const QString found = qtCatalogue(paths);
        if (expected < 0)
            QCOMPARE(found, QString::fromLatin1(kQtCatalogueResource));
        else
            QCOMPARE(found, paths[expected] + QLatin1Char('/') + QLatin1String(kQtCatalogueName));
    }

    // Where Qt's packages have installed the catalogue, the program reads it there, and the
    // standard buttons speak French.
    void installedCatalogueIsRead()
    {
        const QStringList folders = qtCatalogueFolders();
        QVERIFY(!folders.isEmpty());
#ifdef Q_OS_WIN
        // The translations folder beside the program, as Qt's deployment (and this build) lays it out.
        QCOMPARE(folders.first(), QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
#else
        QCOMPARE(folders.first(), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
#endif
        const QString installed = folders.first() + QLatin1Char('/') + QLatin1String(kQtCatalogueName);
        if (!QFile::exists(installed))
            QSKIP("Qt's French catalogue is not installed here");
        QCOMPARE(qtCatalogue(), installed);
        installLanguage(Language::French);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
        installLanguage(Language::English);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    }
};

QTEST_MAIN(QtCatalogueTest)
#include "qt_catalogue_test.moc"
