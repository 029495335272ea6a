#include "app/language.h"
#include "support/main_window_driver.h"
#include "support/test_doubles.h"

#include <QTest>

using namespace bw;

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    // The stored choice wins; an unknown or damaged one counts as none, and the system's
    // interface languages decide; the history beside it is never touched.
    void startLanguage_data()
    {
        QTest::addColumn<QString>("stored"); // "-": nothing stored
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<Language>("expected");
        const QStringList french{"fr-CA", "fr", "en-CA"};
        const QStringList english{"en-US", "fr-FR"};
        QTest::newRow("nothing stored, French system") << "-" << french << Language::French;
        QTest::newRow("nothing stored, English first") << "-" << english << Language::English;
        QTest::newRow("nothing stored, German then French") << "-" << QStringList{"de-DE", "fr-CH"} << Language::French;
        QTest::newRow("nothing stored, neither") << "-" << QStringList{"de-DE", "es"} << Language::English;
        QTest::newRow("French stored, English system") << "fr" << english << Language::French;
        QTest::newRow("English stored, French system") << "en" << french << Language::English;
        QTest::newRow("unknown code") << "de" << french << Language::French;
        QTest::newRow("damaged") << QStringLiteral("f\u00e9r\x01") << english << Language::English;
        QTest::newRow("upper case") << "FR" << english << Language::English;
        QTest::newRow("empty") << "" << french << Language::French;
    }
    void startLanguage()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, system);
        QFETCH(Language, expected);
        test::MemoryStore store;
        store.write("Lumbra", "aaa", "redo", "0101");
        if (stored != QLatin1String("-"))
            store.write("Lumbra", "aaa", "language", stored.toStdString());
        const auto before = store.values;
        QCOMPARE(bw::startLanguage(store, system), expected);
        QCOMPARE(store.values, before);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("bad");
        QTest::addColumn<int>("language"); // -1: none given
        QTest::newRow("none") << QStringList{"brightwell"} << false << -1;
        QTest::newRow("fr") << QStringList{"brightwell", "--language", "fr"} << false << int(Language::French);
        QTest::newRow("=en") << QStringList{"brightwell", "--language=en"} << false << int(Language::English);
        QTest::newRow("the last wins") << QStringList{"brightwell", "--language", "fr", "--language=en"} << false
                                       << int(Language::English);
        QTest::newRow("xx") << QStringList{"brightwell", "--language", "xx"} << true << -1;
        QTest::newRow("a good one, then a bad one") << QStringList{"brightwell", "--language=fr", "--language=x"} << true << -1;
        QTest::newRow("no value") << QStringList{"brightwell", "--language"} << true << -1;
        QTest::newRow("the program's own name") << QStringList{"--language=xx"} << false << -1;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, bad);
        QFETCH(int, language);
        const LanguageOption option = parseLanguageOption(arguments);
        QCOMPARE(option.bad, bad);
        if (!bad)
            QCOMPARE(option.language ? int(*option.language) : -1, language);
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
