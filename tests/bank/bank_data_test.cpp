#include "bank/question_bank.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace bw;

namespace {

constexpr int kQuestions = 165;

// Length in Unicode code points, so that an accented letter counts once.
qsizetype codePoints(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4().size();
}

QString toQString(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool endsWith(const std::string &text, const std::string &suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

const std::string &question(const QuestionBank &bank, int q)
{
    return bank.questionText[static_cast<size_t>(q)];
}

const std::string &choice(const QuestionBank &bank, int q, int c)
{
    return bank.choiceText[static_cast<size_t>(q)][static_cast<size_t>(c)];
}

std::vector<std::string> questionTexts(const QuestionBank &bank)
{
    std::vector<std::string> texts;
    for (int q = 1; q <= kQuestions; ++q)
        texts.push_back(question(bank, q));
    return texts;
}

std::vector<std::string> choiceTexts(const QuestionBank &bank)
{
    std::vector<std::string> texts;
    for (int q = 1; q <= kQuestions; ++q)
        for (int c = 1; c <= 4; ++c)
            texts.push_back(choice(bank, q, c));
    return texts;
}

std::vector<std::string> allTexts(const QuestionBank &bank)
{
    std::vector<std::string> texts = questionTexts(bank);
    const std::vector<std::string> choices = choiceTexts(bank);
    texts.insert(texts.end(), choices.begin(), choices.end());
    return texts;
}

int countContaining(const std::vector<std::string> &texts, const std::string &needle)
{
    return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                          [&](const std::string &t) { return t.find(needle) != std::string::npos; }));
}

int countEndingWith(const std::vector<std::string> &texts, const std::string &suffix)
{
    return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                          [&](const std::string &t) { return endsWith(t, suffix); }));
}


// What a reader of one language leaves out or joins: the function words that no comparison
// counts, the common words that are never distinctive, the conjunction that qualifies a
// choice, the leading words an answer drops when another row names it, and the names that
// the whole bank shares.
struct Vocabulary {
    std::set<QString> function;
    std::set<QString> common;
    QRegularExpression conjunction;
    QRegularExpression article;
    QStringList shared;
    QString decade; // what before a year makes it a decade ("les années 1960")
    QStringList places; // the one-word names of the provinces, the territories and the country
};

const Vocabulary &vocabulary(Language in)
{
    static const Vocabulary english{
        {"a", "an", "the", "of", "and", "or", "in", "on", "at", "to", "for", "by", "from", "with", "as", "is", "are",
         "was", "were", "be", "been", "it", "its", "he", "she", "his", "her", "him", "they", "their", "them", "this",
         "that", "these", "those", "which", "what", "who", "whom", "whose", "when", "where", "why", "how", "do",
         "does", "did", "can", "may", "must", "will", "would", "should", "there", "than", "then", "into", "onto",
         "over", "under", "about", "after", "before", "each", "every", "some", "any", "all", "most", "more", "many",
         "much", "also", "very", "just", "like", "same", "other", "another", "such", "has", "have", "had", "own",
         "your", "you", "our", "we", "between", "so", "if", "but", "because"},
        {"what", "which", "that", "this", "these", "those", "with", "from", "have", "does", "were", "when",
         "where", "whom", "whose", "into", "their", "there", "they", "them", "then", "than", "been", "being",
         "only", "your", "about", "after", "before", "under", "over", "also", "most", "more", "many", "much",
         "some", "such", "each", "every", "other", "another", "could", "would", "should", "shall", "must",
         "will", "upon", "same", "very", "just", "like"},
        QRegularExpression("\\band\\b"),
        QRegularExpression("^(In|The|A|An) "),
        {"Newfoundland and Labrador", "Prince Edward Island", "Nova Scotia", "New Brunswick", "Quebec City",
         "British Columbia", "Northwest Territories", "provinces and territories", "Governor General",
         "House of Commons", "Member of Parliament", "Prime Minister", "Supreme Court of Canada",
         "federal government", "municipal governments", "United States", "Indigenous peoples"},
        {},
        {"Canada", "Ontario", "Quebec", "Manitoba", "Saskatchewan", "Alberta", "Newfoundland", "Labrador", "Yukon", "Nunavut"}};
    // Elided words ("l'", "qu'") come out of the word splitting as words of their own, and so does
    // the "er" of "1er", which is part of a date. "Propre" is the "own" of English. The "et"
    // inside a hyphenated name (Terre-Neuve-et-Labrador) joins no list and is no conjunction.
    static const Vocabulary french{
        {"le", "la", "les", "l", "un", "une", "des", "de", "du", "d", "et", "ou", "à", "au", "aux", "en", "dans",
         "par", "pour", "sur", "avec", "sans", "sous", "qui", "que", "qu", "quoi", "quel", "quelle", "quels",
         "quelles", "lequel", "laquelle", "lesquels", "lesquelles", "est", "sont", "était", "étaient", "été",
         "être", "a", "ont", "avait", "avaient", "il", "elle", "ils", "elles", "on", "se", "s", "son", "sa", "ses",
         "leur", "leurs", "lui", "ce", "c", "cet", "cette", "ces", "ceux", "celle", "celles", "celui", "ne", "n",
         "y", "plus", "moins", "tout", "tous", "toute", "toutes", "chaque", "même", "mêmes", "autre", "autres",
         "vous", "votre", "vos", "nous", "notre", "nos", "si", "mais", "car", "comme", "entre", "après", "avant",
         "lors", "dont", "où", "comment", "pourquoi", "quand", "combien", "doit", "doivent", "peut", "peuvent",
         "faut", "jusqu", "jusque", "vers", "chez", "très", "aussi", "donc", "ni", "selon", "depuis", "parmi",
         "propre", "propres", "er"},
        {"quel", "quelle", "quels", "quelles", "lequel", "laquelle", "lesquels", "lesquelles", "dans", "avec",
         "pour", "sans", "sous", "sont", "était", "étaient", "être", "avait", "avaient", "leur", "leurs", "elle",
         "elles", "cette", "ceux", "celle", "celles", "celui", "tout", "tous", "toute", "toutes", "chaque",
         "même", "mêmes", "autre", "autres", "vous", "votre", "nous", "notre", "mais", "comme", "entre", "après",
         "avant", "lors", "dont", "comment", "pourquoi", "quand", "combien", "doit", "doivent", "peut",
         "peuvent", "faut", "jusque", "vers", "chez", "très", "aussi", "plus", "moins", "quoi", "fait", "faire",
         "font", "selon", "depuis", "parmi", "aujourd"},
        QRegularExpression("(?<![\\w-])et(?![\\w-])", QRegularExpression::UseUnicodePropertiesOption),
        QRegularExpression(QString::fromUtf8("^((En|Le|La|Les|Un|Une|Des|Du|Au|Aux|À) |L’)")),
        {"Terre-Neuve-et-Labrador", "Île-du-Prince-Édouard", "Nouvelle-Écosse", "Nouveau-Brunswick",
         "ville de Québec", "Colombie-Britannique", "Territoires du Nord-Ouest", "provinces et territoires",
         "gouverneur général", "Chambre des communes", "premier ministre", "Cour suprême du Canada",
         "gouvernement fédéral", "gouvernements municipaux", "États-Unis", "peuples autochtones",
         // the Hudson's Bay Company bears the bay's name
         "baie d’Hudson"},
        "(?<!années )",
        {"Canada", "Ontario", "Québec", "Manitoba", "Saskatchewan", "Alberta", "Terre-Neuve", "Labrador", "Yukon", "Nunavut"}};
    return in == Language::French ? french : english;
}

// A lower-case word without its plural ending: "peoples" counts as "people", "territories"
// as "territory"; "class" and "Indigenous" keep their s. In French a final s or x goes:
// "provinces" counts as "province", "chevaux" as "chevau", as long as both sides lose it;
// "procès" and "corpus" keep theirs.
QString withoutPlural(QString word, Language in)
{
    if (in == Language::French) {
        const bool singular = word.endsWith("ss") || word.endsWith("us") || word.endsWith(QString::fromUtf8("ès"));
        if (word.size() > 3 && (word.endsWith('s') || word.endsWith('x')) && !singular)
            word.chop(1);
        return word;
    }
    if (word.size() > 4 && word.endsWith("ies"))
        return word.chopped(3) + "y";
    if (word.size() > 3 && word.endsWith('s') && !word.endsWith("ss") && !word.endsWith("us"))
        word.chop(1);
    return word;
}

// The words of a text, lower-cased and without a plural ending, that are at least minimum
// letters long and not in the skipped set. Accented letters are letters; an apostrophe or
// a hyphen ends a word.
std::set<QString> wordsOf(const std::string &text, Language in, qsizetype minimum, const std::set<QString> &skipped)
{
    std::set<QString> words;
    QString word;
    for (const QChar ch : toQString(text) + QChar(' ')) {
        if (ch.isLetter()) {
            word += ch.toLower();
            continue;
        }
        if (word.size() >= minimum && !skipped.count(word))
            words.insert(withoutPlural(word, in));
        word.clear();
    }
    return words;
}

// The distinctive words of a text: words of four letters or more that are not common
// function words, lower-cased, with a plural ending dropped ("peoples" counts as "people").
std::set<QString> distinctiveWords(const std::string &text, Language in)
{
    return wordsOf(text, in, 4, vocabulary(in).common);
}

// An answer as another row would name it: without its closing period or a leading article.
QString answerTerm(const std::string &text, Language in)
{
    QString term = toQString(text);
    if (term.endsWith('.'))
        term.chop(1);
    return term.remove(vocabulary(in).article);
}

// Names that the whole bank shares: the provinces and territories and the institutions
// every chapter speaks of. Seeing one of them elsewhere gives no answer away.
bool sharedVocabulary(const QString &term, Language in)
{
    return vocabulary(in).shared.contains(term, Qt::CaseInsensitive);
}

// Every word of a text but the function words, lower-cased and without a plural ending.
// "No", "Yes" and "Only" count: a lone "No" against three "Yes" is a form a learner reads.
std::set<QString> contentWords(const std::string &text, Language in)
{
    return wordsOf(text, in, 1, vocabulary(in).function);
}

// A French word without its derivational ending, so that words of one family meet:
// "détenue" and "détention" both give "déten", "instruire" and "instruction" "instru" and
// "instruc", "électorale" and "élection" "élector" and "élec". The longest ending that leaves
// four letters goes; English words stay whole, their families meet by their common start.
QString stemOf(const QString &word, Language in)
{
    static const QStringList endings = [] {
        QStringList list = QString::fromUtf8("issement ement ment atrice ateur ation ition tion sion ance ence euse eur "
                                             "aire ique isme iste ité able ible elle ale al el ienne ien ive if ée é ue "
                                             "ire ir er re u e").split(QLatin1Char(' '));
        std::stable_sort(list.begin(), list.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
        return list;
    }();
    if (in != Language::French)
        return word;
    static QHash<QString, QString> stems; // the bank's few thousand words, each stemmed once
    if (const auto known = stems.constFind(word); known != stems.cend())
        return *known;
    QString stem = word;
    for (const QString &ending : endings) {
        if (word.endsWith(ending) && word.size() - ending.size() >= 4) {
            stem = word.chopped(ending.size());
            break;
        }
    }
    stems.insert(word, stem);
    return stem;
}

// Two words share a root when they begin alike for four letters or more and for at least
// four fifths of the shorter one: "Canada" and "Canadian", "West" and "western". French words
// are compared without their derivational endings ("détenue" and "détention").
bool shareRoot(const QString &a, const QString &b, Language in)
{
    if (a == b)
        return true;
    const QString x = stemOf(a, in), y = stemOf(b, in);
    qsizetype same = 0;
    while (same < x.size() && same < y.size() && x[same] == y[same])
        ++same;
    return x == y || (same >= 4 && 5 * same >= 4 * std::min(x.size(), y.size()));
}

bool hasRootOf(const std::set<QString> &words, const QString &word, Language in)
{
    return std::any_of(words.begin(), words.end(), [&](const QString &w) { return shareRoot(w, word, in); });
}

// How qualified a choice reads: its commas and its "and"s (in French, its "et"s).
int qualifiers(const std::string &text, Language in)
{
    const QString shown = toQString(text);
    return static_cast<int>(shown.count(',') + shown.count(vocabulary(in).conjunction));
}

// The forms of a choice that a test-wise reader can see without knowing anything of Canada.
// Where the four choices are four years, the place of each in order of time is a form too.
enum Form : size_t { StrictlyLongest, StrictlyShortest, MostQualified, EchoesTheQuestionAlone,
                     LacksAWordTheOthersShare, AloneSharesWithEveryOther, EarliestYear, SecondYear, ThirdYear,
                     LatestYear, FormCount };

// forms[q][c][form]: choice c (0 for the answer) of question q shows the form.
using Forms = std::vector<std::array<std::array<bool, FormCount>, 4>>;

bool meet(const std::set<QString> &a, const std::set<QString> &b)
{
    return std::any_of(a.begin(), a.end(), [&](const QString &word) { return b.count(word) > 0; });
}

// The year a choice names, when it names exactly one.
std::optional<int> yearIn(const std::string &text)
{
    static const QRegularExpression year("\\b(1[5-9]\\d\\d|20\\d\\d)\\b");
    auto found = year.globalMatch(toQString(text));
    if (!found.hasNext())
        return std::nullopt;
    const int named = found.next().captured(1).toInt();
    return found.hasNext() ? std::nullopt : std::optional<int>(named);
}

Forms readForms(const QuestionBank &bank)
{
    Forms forms(kQuestions + 1);
    for (size_t q = 1; q <= kQuestions; ++q) {
        std::array<std::optional<int>, 4> years;
        for (size_t c = 0; c < 4; ++c)
            years[c] = yearIn(bank.choiceText[q][c + 1]);
        const bool dated = std::all_of(years.begin(), years.end(), [](const auto &y) { return y.has_value(); });
        std::array<qsizetype, 4> length{};
        std::array<int, 4> qualified{};
        std::array<std::set<QString>, 4> words, distinctive;
        for (size_t c = 0; c < 4; ++c) {
            const std::string &text = bank.choiceText[q][c + 1];
            length[c] = codePoints(text);
            qualified[c] = qualifiers(text, bank.language);
            words[c] = contentWords(text, bank.language);
            distinctive[c] = distinctiveWords(text, bank.language);
        }
        const std::set<QString> asked = distinctiveWords(bank.questionText[q], bank.language);
        std::array<bool, 4> sharesWithEach{};
        for (size_t c = 0; c < 4; ++c) {
            sharesWithEach[c] = true;
            for (size_t o = 0; o < 4; ++o)
                sharesWithEach[c] = sharesWithEach[c] && (o == c || meet(words[c], words[o]));
        }
        for (size_t c = 0; c < 4; ++c) {
            bool longest = true, shortest = true, mostQualified = true, onlyHub = sharesWithEach[c];
            std::optional<std::set<QString>> sharedByOthers;
            for (size_t o = 0; o < 4; ++o) {
                if (o == c)
                    continue;
                longest = longest && length[c] > length[o];
                shortest = shortest && length[c] < length[o];
                mostQualified = mostQualified && qualified[c] > qualified[o];
                onlyHub = onlyHub && !sharesWithEach[o];
                if (!sharedByOthers) {
                    sharedByOthers = words[o];
                    continue;
                }
                std::set<QString> kept;
                std::set_intersection(sharedByOthers->begin(), sharedByOthers->end(), words[o].begin(),
                                      words[o].end(), std::inserter(kept, kept.end()));
                sharedByOthers = kept;
            }
            const bool lacks = std::any_of(sharedByOthers->begin(), sharedByOthers->end(),
                                           [&](const QString &word) { return !words[c].count(word); });
            bool echoes = false;
            for (const QString &word : asked) {
                bool elsewhere = false;
                for (size_t o = 0; o < 4; ++o)
                    elsewhere = elsewhere || (o != c && hasRootOf(distinctive[o], word, bank.language));
                echoes = echoes || (hasRootOf(distinctive[c], word, bank.language) && !elsewhere);
            }
            forms[q][c] = {longest, shortest, mostQualified, echoes, lacks, onlyHub};
            if (dated) {
                const auto earlier = std::count_if(years.begin(), years.end(), [&](const auto &y) { return *y < *years[c]; });
                forms[q][c][EarliestYear + static_cast<size_t>(earlier)] = true;
            }
        }
    }
    return forms;
}

// A learner who knows nothing of Canada and reads only the forms: for each question it
// learns from the other 164 which forms go with answers (naive Bayes, using a form only
// when its rate on answers and on distractors differ by more than two standard errors)
// and picks the likeliest choice, sharing its point among ties. Returns its share right.
double testWiseScore(const Forms &forms)
{
    double right = 0;
    for (size_t q = 1; q <= kQuestions; ++q) {
        std::array<double, FormCount> onAnswers{}, onDistractors{};
        for (size_t other = 1; other <= kQuestions; ++other) {
            for (size_t f = 0; f < FormCount && other != q; ++f) {
                onAnswers[f] += forms[other][0][f] ? 1 : 0;
                for (size_t c = 1; c < 4; ++c)
                    onDistractors[f] += forms[other][c][f] ? 1 : 0;
            }
        }
        const double answers = kQuestions - 1, distractors = 3.0 * answers;
        std::array<double, 4> score{};
        for (size_t f = 0; f < FormCount; ++f) {
            const double pooled = (onAnswers[f] + onDistractors[f]) / (answers + distractors);
            const double error = std::sqrt(pooled * (1 - pooled) * (1 / answers + 1 / distractors));
            if (std::abs(onAnswers[f] / answers - onDistractors[f] / distractors) <= 2 * error)
                continue;
            const double pa = (onAnswers[f] + 1) / (answers + 2), pd = (onDistractors[f] + 1) / (distractors + 2);
            for (size_t c = 0; c < 4; ++c)
                score[c] += forms[q][c][f] ? std::log(pa / pd) : std::log((1 - pa) / (1 - pd));
        }
        const double best = *std::max_element(score.begin(), score.end());
        const auto tied = std::count_if(score.begin(), score.end(), [&](double s) { return s > best - 1e-9; });
        right += score[0] > best - 1e-9 ? 1.0 / static_cast<double>(tied) : 0.0;
    }
    return right / kQuestions;
}

} // namespace

Q_DECLARE_METATYPE(Topic)
Q_DECLARE_METATYPE(Language)
Q_DECLARE_METATYPE(std::function<QStringList(const QuestionBank &)>)

namespace {

const char *nameOf(Language in)
{
    return in == Language::French ? "French" : "English";
}

// The wording of row q (1..165) in one language: the question, then the four choices.
std::array<const char *, 5> rowTexts(Language in, int q)
{
    const auto k = static_cast<size_t>(q - 1);
    if (in == Language::French)
        return {kBankRowsFr[k].question, kBankRowsFr[k].choices[0], kBankRowsFr[k].choices[1],
                kBankRowsFr[k].choices[2], kBankRowsFr[k].choices[3]};
    return {kBankRows[k].question, kBankRows[k].choices[0], kBankRows[k].choices[1], kBankRows[k].choices[2],
            kBankRows[k].choices[3]};
}

// The digit sequences of a text, in order: "On July 1, ..." gives {"1"}, "1er juillet" too.
QStringList numbersIn(const std::string &text)
{
    static const QRegularExpression digits("\\d+");
    QStringList found;
    for (const QRegularExpressionMatch &m : digits.globalMatch(toQString(text)))
        found << m.captured();
    return found;
}

// How a question ends: with a question mark, with a period (the one instruction) or open,
// as the unfinished sentence that each choice completes.
char endingOf(const std::string &text)
{
    return endsWith(text, "?") ? '?' : endsWith(text, ".") ? '.' : '-';
}

// A text that may stand the same in both languages: a name or a date, with no lower-case word
// of three letters or more and no English article or preposition ("Halifax.", "Sir John A.
// Macdonald", "Samuel de Champlain."), or an English title that French quotes as it is.
bool isNameOrDate(const std::string &text)
{
    static const QRegularExpression lowerWord("(?<!\\w)\\p{Ll}{3,}", QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression englishWord("\\b(the|of|and|in|on|at|for|to)\\b", QRegularExpression::CaseInsensitiveOption);
    static const QStringList titles{"The Maple Leaf Forever."};
    const QString shown = toQString(text);
    return titles.contains(shown) || (!lowerWord.match(shown).hasMatch() && !englishWord.match(shown).hasMatch());
}

} // namespace

class BankDataTest : public QObject {
    Q_OBJECT

    QuestionBank bank;   // in English
    QuestionBank french;

    const QuestionBank &in(Language language) const
    {
        return language == Language::French ? french : bank;
    }

    static void addLanguageColumn()
    {
        QTest::addColumn<Language>("language");
    }
    // One data row per language, tagged "English: tag" and "French: tag".
    static void newRowInEach(const char *tag, const std::function<void(QTestData &)> &more = {})
    {
        for (const Language language : {Language::English, Language::French}) {
            QTestData &row = QTest::addRow("%s: %s", nameOf(language), tag) << language;
            if (more)
                more(row);
        }
    }

private slots:
    void initTestCase()
    {
        // Every French row is complete: inlineread reads it as it stands.
        for (int q = 1; q <= kQuestions; ++q)
            for (const char *text : rowTexts(Language::French, q))
                QVERIFY2(text != nullptr, qPrintable(QString("French row %1 is incomplete").arg(q)));
        bank.inlineread(Language::English);
        french.inlineread(Language::French);
    }

    void fillsQuestionsOneTo165WithKeyOne_data()
    {
        addLanguageColumn();
        newRowInEach("rows");
    }
    void fillsQuestionsOneTo165WithKeyOne()
    {
        QFETCH(Language, language);
        const QuestionBank &read = in(language);
        QCOMPARE(read.language, language);
        QCOMPARE(read.questionCount, int16_t(kQuestions));
        QCOMPARE(static_cast<int>(kBankRows.size()), kQuestions);
        QCOMPARE(static_cast<int>(kBankRowsFr.size()), kQuestions);
        for (int q = 1; q <= kQuestions; ++q) {
            const std::array<const char *, 5> row = rowTexts(language, q);
            QCOMPARE(question(read, q), std::string(row[0]));
            QCOMPARE(read.answerKey[static_cast<size_t>(q)], int16_t(1));
            QVERIFY2(choice(read, q, 0).empty(), qPrintable(QString("choice 0 of question %1").arg(q)));
            for (int c = 1; c <= 4; ++c)
                QCOMPARE(choice(read, q, c), std::string(row[static_cast<size_t>(c)]));
        }
    }

    void leavesUnusedEntriesEmpty()
    {
        for (int q = 0; q < kTableCapacity; ++q) {
            if (q >= 1 && q <= kQuestions)
                continue;
            QVERIFY2(question(bank, q).empty(), qPrintable(QString("question %1").arg(q)));
            QCOMPARE(bank.answerKey[static_cast<size_t>(q)], int16_t(0));
            for (int c = 0; c <= 4; ++c)
                QVERIFY2(choice(bank, q, c).empty(), qPrintable(QString("question %1 choice %2").arg(q).arg(c)));
        }
    }

    // Reading again, in the same language or in the other one, leaves the bank exactly as a
    // first reading in the new language does: no text of the old language stays behind.
    void secondReadChangesNothing_data()
    {
        QTest::addColumn<Language>("first");
        QTest::addColumn<Language>("second");
        QTest::newRow("English again") << Language::English << Language::English;
        QTest::newRow("French again") << Language::French << Language::French;
        QTest::newRow("French over English") << Language::English << Language::French;
        QTest::newRow("English over French") << Language::French << Language::English;
    }
    void secondReadChangesNothing()
    {
        QFETCH(Language, first);
        QFETCH(Language, second);
        QuestionBank again;
        again.inlineread(first);
        again.inlineread(second);
        const QuestionBank &fresh = in(second);
        QCOMPARE(again.language, second);
        QCOMPARE(again.questionCount, fresh.questionCount);
        QVERIFY(again.questionText == fresh.questionText);
        QVERIFY(again.choiceText == fresh.choiceText);
        QVERIFY(again.answerKey == fresh.answerKey);
    }

    void everyTextIsOneCleanLine_data()
    {
        addLanguageColumn();
        newRowInEach("texts");
    }
    void everyTextIsOneCleanLine()
    {
        QFETCH(Language, language);
        for (const std::string &text : allTexts(in(language))) {
            const QString shown = toQString(text);
            QVERIFY2(!text.empty(), "empty text");
            QVERIFY2(shown.toUtf8().toStdString() == text, qPrintable("not valid UTF-8: " + shown));
            QVERIFY2(shown.trimmed() == shown, qPrintable("leading or trailing blank: " + shown));
            QVERIFY2(!shown.contains("  "), qPrintable("double blank: " + shown));
            for (const char32_t ch : shown.toUcs4())
                QVERIFY2(ch >= 0x20 && ch != 0x7f, qPrintable("control character in: " + shown));
        }
    }

    // English uses ASCII and é. French uses ASCII but the straight double quote and the straight
    // apostrophe, its accented letters, « », the typographic apostrophe ’ and the no-break space
    // that goes inside « » and before a colon.
    void onlyTheCharactersOfTheLanguage_data()
    {
        addLanguageColumn();
        QTest::addColumn<QString>("beyondAscii");
        QTest::addColumn<QString>("notAllowed");
        QTest::newRow("English") << Language::English << QString(QChar(0xe9)) << QString();
        QTest::newRow("French") << Language::French
                                << QString::fromUtf8("àâçéèêëîïôûùüÿœÀÂÇÉÈÊËÎÏÔÛÙÜŒ«»’\u00a0") << QString("\"'");
    }
    void onlyTheCharactersOfTheLanguage()
    {
        QFETCH(Language, language);
        QFETCH(QString, beyondAscii);
        QFETCH(QString, notAllowed);
        for (const std::string &text : allTexts(in(language))) {
            for (const QChar ch : toQString(text)) {
                const bool allowed = ch.unicode() < 0x80 ? !notAllowed.contains(ch) : beyondAscii.contains(ch);
                QVERIFY2(allowed, qPrintable(QString("U+%1 in: %2").arg(uint(ch.unicode()), 4, 16, QChar('0')).arg(toQString(text))));
            }
        }
    }

    // The English lengths are exact: the window tests draw the longest texts. French runs
    // longer; it must stay within the limits the window is laid out for, and the five longest
    // texts go to the test log.
    void lengths_data()
    {
        addLanguageColumn();
        QTest::addColumn<bool>("questions");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<int>("shortest");
        QTest::addColumn<int>("longest");
        QTest::addColumn<double>("meanLow");
        QTest::addColumn<double>("meanHigh");
        QTest::newRow("English questions") << Language::English << true << true << 17 << 93 << 48.0 << 58.0;
        QTest::newRow("English choices") << Language::English << false << true << 3 << 93 << 25.0 << 35.0;
        QTest::newRow("French questions") << Language::French << true << false << 17 << 120 << 50.0 << 75.0;
        QTest::newRow("French choices") << Language::French << false << false << 3 << 110 << 25.0 << 42.0;
    }
    void lengths()
    {
        QFETCH(Language, language);
        QFETCH(bool, questions);
        QFETCH(bool, exact);
        QFETCH(int, shortest);
        QFETCH(int, longest);
        QFETCH(double, meanLow);
        QFETCH(double, meanHigh);
        std::vector<std::string> texts = questions ? questionTexts(in(language)) : choiceTexts(in(language));
        std::vector<qsizetype> lengths;
        for (const std::string &text : texts)
            lengths.push_back(codePoints(text));
        const qsizetype least = *std::min_element(lengths.begin(), lengths.end());
        const qsizetype most = *std::max_element(lengths.begin(), lengths.end());
        std::stable_sort(texts.begin(), texts.end(),
                         [](const std::string &a, const std::string &b) { return codePoints(a) > codePoints(b); });
        for (size_t k = 0; k < 5; ++k)
            qInfo("%3lld  %s", static_cast<long long>(codePoints(texts[k])), texts[k].c_str());
        if (exact) {
            QCOMPARE(least, qsizetype(shortest));
            QCOMPARE(most, qsizetype(longest));
        } else {
            QVERIFY2(least >= shortest && most <= longest, qPrintable(QString("lengths %1 to %2").arg(least).arg(most)));
        }
        double total = 0;
        for (const qsizetype n : lengths)
            total += static_cast<double>(n);
        const double mean = total / static_cast<double>(lengths.size());
        QVERIFY2(mean >= meanLow && mean <= meanHigh, qPrintable(QString("mean length %1").arg(mean)));
    }

    void ballotIsTheOnlyShortestQuestion()
    {
        int atMost17 = 0;
        for (const std::string &text : questionTexts(bank)) {
            if (codePoints(text) <= 17) {
                ++atMost17;
                QCOMPARE(text, std::string("What is a ballot?"));
            }
        }
        QCOMPARE(atMost17, 1);
    }

    void questionEndings_data()
    {
        addLanguageColumn();
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("count");
        QTest::newRow("English question mark") << Language::English << "?" << 163;
        QTest::newRow("English instruction") << Language::English << "." << 1;
        QTest::newRow("English unfinished sentence") << Language::English << "except for" << 1;
        QTest::newRow("French question mark") << Language::French << "?" << 163;
        QTest::newRow("French instruction") << Language::French << "." << 1;
        QTest::newRow("French unfinished sentence") << Language::French << " sauf" << 1;
    }
    void questionEndings()
    {
        QFETCH(Language, language);
        QFETCH(QString, suffix);
        QFETCH(int, count);
        QCOMPARE(countEndingWith(questionTexts(in(language)), suffix.toStdString()), count);
    }

    void everyQuestionEndsInOneOfTheThreeWays_data()
    {
        addLanguageColumn();
        QTest::addColumn<QString>("unfinished");
        QTest::newRow("English") << Language::English << "except for";
        QTest::newRow("French") << Language::French << " sauf";
    }
    void everyQuestionEndsInOneOfTheThreeWays()
    {
        QFETCH(Language, language);
        QFETCH(QString, unfinished);
        for (const std::string &text : questionTexts(in(language)))
            QVERIFY2(endsWith(text, "?") || endsWith(text, ".") || endsWith(text, unfinished.toStdString()), text.c_str());
    }

    void textsContaining_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("count");
        QTest::newRow("e acute") << QString(QChar(0xe9)) << 10;
        QTest::newRow("apostrophe") << "'" << 34;
    }
    void textsContaining()
    {
        QFETCH(QString, needle);
        QFETCH(int, count);
        QCOMPARE(countContaining(allTexts(bank), needle.toStdString()), count);
    }

    // English quotes a term as "term", French as « term », with no-break spaces inside.
    void quotationMarksOnlyAroundTermsInNineQuestions_data()
    {
        addLanguageColumn();
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("English") << Language::English << "\"" << "^[^\"]*\"[^\" ][^\"]*[^\" ]\"[^\"]*$";
        QTest::newRow("French") << Language::French << QString::fromUtf8("«")
                                << QString::fromUtf8("^[^«»]*«\u00a0[^«»\\s][^«»]*[^«»\\s]\u00a0»[^«»]*$");
    }
    void quotationMarksOnlyAroundTermsInNineQuestions()
    {
        QFETCH(Language, language);
        QFETCH(QString, mark);
        QFETCH(QString, pattern);
        int quoted = 0;
        const QRegularExpression term(pattern);
        QVERIFY(term.isValid());
        for (const std::string &text : questionTexts(in(language))) {
            if (!toQString(text).contains(mark) && !toQString(text).contains(QString::fromUtf8("»")))
                continue;
            ++quoted;
            QVERIFY2(term.match(toQString(text)).hasMatch(), text.c_str());
        }
        QCOMPARE(quoted, 9);
        QCOMPARE(countContaining(choiceTexts(in(language)), mark.toStdString()), 0);
    }

    void choicesEndWithPeriodExceptSixNameAndDateQuestions_data()
    {
        addLanguageColumn();
        newRowInEach("choices");
    }
    void choicesEndWithPeriodExceptSixNameAndDateQuestions()
    {
        QFETCH(Language, language);
        const QuestionBank &read = in(language);
        const std::vector<std::string> choices = choiceTexts(read);
        QCOMPARE(countEndingWith(choices, "."), 636);
        int withoutPeriod = 0;
        for (int q = 1; q <= kQuestions; ++q) {
            int ending = 0;
            for (int c = 1; c <= 4; ++c)
                ending += endsWith(choice(read, q, c), ".") ? 1 : 0;
            QVERIFY2(ending == 0 || ending == 4, question(read, q).c_str());
            withoutPeriod += ending == 0 ? 1 : 0;
        }
        QCOMPARE(withoutPeriod, 6);
    }

    void questionsAndChoicesAreDistinct_data()
    {
        addLanguageColumn();
        newRowInEach("rows");
    }
    void questionsAndChoicesAreDistinct()
    {
        QFETCH(Language, language);
        const QuestionBank &read = in(language);
        const std::vector<std::string> questions = questionTexts(read);
        QCOMPARE(std::set<std::string>(questions.begin(), questions.end()).size(), questions.size());
        for (int q = 1; q <= kQuestions; ++q) {
            std::set<std::string> choices;
            for (int c = 1; c <= 4; ++c)
                choices.insert(choice(read, q, c));
            QVERIFY2(choices.size() == 4, question(read, q).c_str());
        }
    }

    void noChoiceNamesAnotherOrAPosition_data()
    {
        addLanguageColumn();
        QTest::addColumn<QString>("pattern");
        QTest::newRow("French: above or below") << Language::French << "\\bci-(dessus|dessous)\\b";
        QTest::newRow("French: all or none of") << Language::French << "\\b(toutes|aucune) (de )?ces (réponses|choix)\\b";
        QTest::newRow("French: both") << Language::French << "\\bles deux (réponses|choix)\\b";
        QTest::newRow("French: lettered choices") << Language::French << "\\b[A-D] (et|ou|&) [A-D]\\b";
        QTest::newRow("French: choice by position") << Language::French
            << "\\b(premier|première|deuxième|troisième|quatrième|dernier|dernière|autre) (choix|réponse)s?\\b";
        QTest::newRow("above") << Language::English << "\\babove\\b";
        QTest::newRow("below") << Language::English << "\\bbelow\\b";
        QTest::newRow("all of") << Language::English << "\\ball of\\b";
        QTest::newRow("none of") << Language::English << "\\bnone of\\b";
        QTest::newRow("both of") << Language::English << "\\bboth of\\b";
        QTest::newRow("either or neither of") << Language::English << "\\b(either|neither) of\\b";
        QTest::newRow("lettered choices") << Language::English << "\\b[a-d] (and|or|&) [a-d]\\b";
        QTest::newRow("numbered choices") << Language::English << "\\b[1-4] (and|or|&) [1-4]\\b";
        QTest::newRow("choice by position") << Language::English << "\\b(first|second|third|fourth|last|other) (choice|answer|option)s?\\b";
    }
    void noChoiceNamesAnotherOrAPosition()
    {
        QFETCH(Language, language);
        QFETCH(QString, pattern);
        const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption);
        QVERIFY(re.isValid());
        for (const std::string &text : choiceTexts(in(language)))
            QVERIFY2(!re.match(toQString(text)).hasMatch(), text.c_str());
    }

    void rowsPerTopic_data()
    {
        QTest::addColumn<Topic>("topic");
        QTest::addColumn<int>("fewest");
        QTest::addColumn<int>("most");
        QTest::newRow("rights and responsibilities") << Topic::Rights << 14 << 18;
        QTest::newRow("who Canadians are") << Topic::WhoCanadiansAre << 12 << 16;
        QTest::newRow("history up to 1914") << Topic::History << 26 << 32;
        QTest::newRow("modern Canada") << Topic::ModernCanada << 12 << 16;
        QTest::newRow("how Canadians govern themselves") << Topic::Government << 20 << 24;
        QTest::newRow("federal elections") << Topic::Elections << 10 << 13;
        QTest::newRow("justice system") << Topic::Justice << 8 << 10;
        QTest::newRow("symbols") << Topic::Symbols << 11 << 14;
        QTest::newRow("economy") << Topic::Economy << 6 << 8;
        QTest::newRow("regions") << Topic::Regions << 24 << 30;
    }
    void rowsPerTopic()
    {
        QFETCH(Topic, topic);
        QFETCH(int, fewest);
        QFETCH(int, most);
        const auto rows = std::count_if(kBankRows.begin(), kBankRows.end(),
                                        [&](const BankRow &row) { return row.topic == topic; });
        QVERIFY2(rows >= fewest && rows <= most, qPrintable(QString("%1 rows").arg(rows)));
    }

    // A learner must not be able to find the answer without knowing it: not by its length,
    // not by a word it shares with the question, not from the text of another row.
    void answerIsNotGivenAway_data()
    {
        using Measure = std::function<QStringList(const QuestionBank &)>;
        addLanguageColumn();
        QTest::addColumn<Measure>("measure");
        QTest::addColumn<int>("allowed");
        const auto newRow = [](const char *tag, const Measure &measure, int allowed) {
            newRowInEach(tag, [&](QTestData &row) { row << measure << allowed; });
        };
        const auto rowsWhere = [](auto cue) {
            return Measure([cue](const QuestionBank &qb) {
                QStringList rows;
                for (int q = 1; q <= kQuestions; ++q) {
                    std::vector<qsizetype> others;
                    for (int c = 2; c <= 4; ++c)
                        others.push_back(codePoints(choice(qb, q, c)));
                    if (cue(qb, q, codePoints(choice(qb, q, 1)), others))
                        rows << QString::number(q);
                }
                return rows;
            });
        };
        // At most 30% of the rows, and at least a fifth, against a quarter by chance.
        newRow("answer strictly longest", rowsWhere([](const QuestionBank &, int, qsizetype answer, const std::vector<qsizetype> &others) {
            return answer > *std::max_element(others.begin(), others.end());
        }), kQuestions * 30 / 100);
        newRow("answer not strictly shortest", rowsWhere([](const QuestionBank &, int, qsizetype answer, const std::vector<qsizetype> &others) {
            return answer >= *std::min_element(others.begin(), others.end());
        }), kQuestions - kQuestions / 5);
        // A long name may force a long answer now and then, never often.
        newRow("answer over 1.5 times its distractors", rowsWhere([](const QuestionBank &, int, qsizetype answer, const std::vector<qsizetype> &others) {
            const double mean = static_cast<double>(others[0] + others[1] + others[2]) / 3.0;
            return static_cast<double>(answer) > 1.5 * mean;
        }), 12);
        // A word of the question that the answer alone repeats, or one of its family: "detained"
        // and "detention", in French "détenue" and « détention ».
        newRow("question word echoed only in the answer", rowsWhere([](const QuestionBank &qb, int q, qsizetype, const std::vector<qsizetype> &) {
            std::array<std::set<QString>, 4> words;
            for (size_t c = 0; c < 4; ++c)
                words[c] = distinctiveWords(choice(qb, q, static_cast<int>(c) + 1), qb.language);
            for (const QString &asked : distinctiveWords(question(qb, q), qb.language)) {
                const bool elsewhere = std::any_of(words.begin() + 1, words.end(), [&](const std::set<QString> &w) {
                    return hasRootOf(w, asked, qb.language);
                });
                if (hasRootOf(words[0], asked, qb.language) && !elsewhere)
                    return true;
            }
            return false;
        }), 0);
        // A question that states another row's answer. What only that row's answer says (a word
        // that neither its question nor its distractors have) is rare in the bank's questions;
        // a question that has it, along with all the rest of it or with a rare word of that
        // row's own question, gives the answer away: "What is the final step before a bill
        // becomes law?" answers "What do you call a law before it is passed?" ("A bill."), and
        // "Which Mohawk leader led many Loyalist Mohawks to Canada after the American
        // Revolution?" answers "Who were the United Empire Loyalists?".
        newRow("answer stated by another row's question", Measure([](const QuestionBank &qb) {
            const Vocabulary &vocabularyIn = vocabulary(qb.language);
            std::set<QString> skipped = vocabularyIn.function;
            skipped.insert(vocabularyIn.common.begin(), vocabularyIn.common.end());
            std::vector<std::set<QString>> asked(kQuestions + 1);
            for (int q = 1; q <= kQuestions; ++q)
                asked[static_cast<size_t>(q)] = wordsOf(question(qb, q), qb.language, 3, skipped);
            const auto in = [&](int q, const QString &word) { return hasRootOf(asked[static_cast<size_t>(q)], word, qb.language); };
            const auto askedIn = [&](const QString &word) {
                int questions = 0;
                for (int q = 1; q <= kQuestions; ++q)
                    questions += in(q, word) ? 1 : 0;
                return questions;
            };
            const auto rare = [&](const QString &word) { return askedIn(word) <= 3; };
            // The words of the names the whole bank shares (provinces, the House of Commons)
            // tell no answer when another question names them.
            std::set<QString> everywhere;
            for (const QString &name : vocabularyIn.shared + vocabularyIn.places)
                for (const QString &word : wordsOf(name.toStdString(), qb.language, 1, {}))
                    everywhere.insert(word);
            QStringList leaks;
            for (int q = 1; q <= kQuestions; ++q) {
                std::set<QString> told;
                for (const QString &word : distinctiveWords(choice(qb, q, 1), qb.language)) {
                    bool shared = in(q, word) || everywhere.count(word) > 0;
                    for (int c = 2; c <= 4; ++c)
                        shared = shared || hasRootOf(distinctiveWords(choice(qb, q, c), qb.language), word, qb.language);
                    if (!shared)
                        told.insert(word);
                }
                if (told.empty() || !std::all_of(told.begin(), told.end(), rare))
                    continue;
                for (int other = 1; other <= kQuestions; ++other) {
                    if (other == q)
                        continue;
                    const auto here = [&](const QString &word) { return in(other, word); };
                    const bool subject = std::any_of(asked[static_cast<size_t>(q)].begin(), asked[static_cast<size_t>(q)].end(),
                                                     [&](const QString &word) { return here(word) && askedIn(word) <= 10; });
                    const bool rareSubject = std::any_of(asked[static_cast<size_t>(q)].begin(), asked[static_cast<size_t>(q)].end(),
                                                         [&](const QString &word) { return here(word) && rare(word); });
                    const bool some = std::any_of(told.begin(), told.end(), here), all = std::all_of(told.begin(), told.end(), here);
                    if ((all && subject) || (some && rareSubject))
                        leaks << QString("question %1 states the answer of row %2").arg(other).arg(q);
                }
            }
            return leaks;
        }), 0);
        // A name, a date or a phrase that answers one row appears in no other question or
        // answer, and in another row's distractor only as that whole choice.
        newRow("answer named by another row", Measure([](const QuestionBank &qb) {
            QStringList leaks;
            for (int q = 1; q <= kQuestions; ++q) {
                const QString term = answerTerm(choice(qb, q, 1), qb.language);
                if (sharedVocabulary(term, qb.language) || (!term.contains(' ') && !term.contains(QRegularExpression("\\d"))))
                    continue;
                const QRegularExpression named("(?<![\\w])" + vocabulary(qb.language).decade + QRegularExpression::escape(term) + "(?![\\w])",
                                               QRegularExpression::CaseInsensitiveOption);
                for (int other = 1; other <= kQuestions; ++other) {
                    if (other == q)
                        continue;
                    if (named.match(toQString(question(qb, other))).hasMatch())
                        leaks << QString("%1 in question %2").arg(term).arg(other);
                    for (int c = 1; c <= 4; ++c) {
                        const std::string &text = choice(qb, other, c);
                        const bool wholeChoice = c > 1 && answerTerm(text, qb.language).compare(term, Qt::CaseInsensitive) == 0;
                        if (!wholeChoice && named.match(toQString(text)).hasMatch())
                            leaks << QString("%1 in question %2").arg(term).arg(other);
                    }
                }
            }
            return leaks;
        }), 0);
    }
    void answerIsNotGivenAway()
    {
        using Measure = std::function<QStringList(const QuestionBank &)>;
        QFETCH(Language, language);
        QFETCH(Measure, measure);
        QFETCH(int, allowed);
        const QStringList found = measure(in(language));
        qInfo("%-53s %3lld (at most %d)", QTest::currentDataTag(), static_cast<long long>(found.size()), allowed);
        QVERIFY2(found.size() <= allowed, qPrintable(QString("%1 found, at most %2 allowed: %3")
                                                         .arg(found.size()).arg(allowed).arg(found.join(", "))));
    }

    // No form of a choice tells the answer. Each form is shown by the answer about as often as
    // by one distractor: within two standard deviations of a quarter of the choices that show
    // it, as if the answer were one of the four at random. The table goes to the test log.
    void formsTellNoAnswer_data()
    {
        addLanguageColumn();
        QTest::addColumn<int>("form");
        const auto newRow = [](const char *tag, Form form) {
            newRowInEach(tag, [&](QTestData &row) { row << int(form); });
        };
        newRow("strictly longest", StrictlyLongest);
        newRow("strictly shortest", StrictlyShortest);
        newRow("most commas and ands", MostQualified);
        newRow("echoes a question word alone, by root", EchoesTheQuestionAlone);
        newRow("lacks a word the other three share", LacksAWordTheOthersShare);
        newRow("alone shares a word with each other choice", AloneSharesWithEveryOther);
        newRow("the earliest of four years", EarliestYear);
        newRow("the second of four years", SecondYear);
        newRow("the third of four years", ThirdYear);
        newRow("the latest of four years", LatestYear);
    }
    void formsTellNoAnswer()
    {
        QFETCH(Language, language);
        QFETCH(int, form);
        const auto shows = static_cast<size_t>(form);
        const Forms forms = readForms(in(language));
        QStringList rows, distractorRows;
        int distractors = 0;
        for (size_t q = 1; q <= kQuestions; ++q) {
            if (forms[q][0][shows])
                rows << QString::number(q);
            for (size_t c = 1; c < 4; ++c) {
                distractors += forms[q][c][shows] ? 1 : 0;
                if (forms[q][c][shows])
                    distractorRows << QString("%1.%2").arg(q).arg(c + 1);
            }
        }
        const auto answers = static_cast<int>(rows.size());
        const double shown = answers + distractors;
        const double spread = 2 * std::sqrt(shown * 3 / 16);
        const int fewest = static_cast<int>(std::ceil(shown / 4 - spread));
        const int most = static_cast<int>(std::floor(shown / 4 + spread));
        qInfo("%-53s answer %3d (%4.1f%% of rows), one distractor %5.1f (%4.1f%%), allowed %d to %d",
              QTest::currentDataTag(), answers, 100.0 * answers / kQuestions, distractors / 3.0,
              100.0 * distractors / 3 / kQuestions, fewest, most);
        QVERIFY2(answers >= fewest && answers <= most,
                 qPrintable(QString("the answer shows it in %1 rows (%2), against %3 distractors (row.choice %4)")
                                .arg(answers).arg(rows.join(", ")).arg(distractors).arg(distractorRows.join(", "))));
    }

    // Chance is a quarter. A learner who reads the forms above must not do much better.
    void testWiseLearnerStaysNearChance_data()
    {
        addLanguageColumn();
        newRowInEach("learner");
    }
    void testWiseLearnerStaysNearChance()
    {
        QFETCH(Language, language);
        const double score = testWiseScore(readForms(in(language)));
        qInfo("%-53s %4.1f%% (chance 25%%, at most 30%%)", QTest::currentDataTag(), 100 * score);
        QVERIFY2(score <= 0.30, qPrintable(QString("the learner scores %1%").arg(100 * score, 0, 'f', 1)));
    }

    // Each French text translates its English twin: it is not left in English (a name or a date
    // may stand the same), it carries the same numbers, and its question ends, and its choices
    // close, as the English ones do, so that the one instruction and the unfinished sentence
    // keep their rows.
    void frenchRowsFollowTheirEnglishTwins()
    {
        for (int q = 1; q <= kQuestions; ++q) {
            const std::string &english = question(bank, q), &translated = question(french, q);
            const QString where = QString("row %1: ").arg(q);
            QVERIFY2(translated != english, qPrintable(where + "question left in English"));
            QVERIFY2(endingOf(translated) == endingOf(english), qPrintable(where + toQString(translated)));
            QVERIFY2(numbersIn(translated) == numbersIn(english), qPrintable(where + "numbers differ: " + toQString(translated)));
            for (int c = 1; c <= 4; ++c) {
                const std::string &from = choice(bank, q, c), &to = choice(french, q, c);
                QVERIFY2(to != from || isNameOrDate(from), qPrintable(where + "left in English: " + toQString(from)));
                QVERIFY2(endsWith(to, ".") == endsWith(from, "."), qPrintable(where + toQString(to)));
                QVERIFY2(numbersIn(to) == numbersIn(from), qPrintable(where + "numbers differ: " + toQString(to)));
            }
        }
    }

    // Canadian French typography, one rule held throughout: a no-break space inside « » and
    // before a colon, no space of any kind before ? ! ;, and the typographic apostrophe ’ that
    // the guide's French edition and the program's other French texts use.
    void frenchTypography_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("« without a no-break space after it") << QString::fromUtf8("«(?!\u00a0)");
        QTest::newRow("» without a no-break space before it") << QString::fromUtf8("(?<!\u00a0)»");
        QTest::newRow("colon without a no-break space") << QString::fromUtf8("(?<!\u00a0):");
        QTest::newRow("space before ? ! ;") << QString::fromUtf8("[\\s\u00a0\u202f\u2009][?!;]");
        QTest::newRow("no-break space elsewhere") << QString::fromUtf8("(?<!«)\u00a0(?![»:])");
        QTest::newRow("« left open") << QString::fromUtf8("«[^»]*(«|$)");
        QTest::newRow("» never opened") << QString::fromUtf8("(^|»)[^«]*»");
        QTest::newRow("straight apostrophe") << QString::fromUtf8("['\u2018]");
        QTest::newRow("apostrophe with a blank after it") << QString::fromUtf8("’\\s");
    }
    void frenchTypography()
    {
        QFETCH(QString, pattern);
        const QRegularExpression wrong(pattern, QRegularExpression::UseUnicodePropertiesOption);
        QVERIFY(wrong.isValid());
        for (const std::string &text : allTexts(french))
            QVERIFY2(!wrong.match(toQString(text)).hasMatch(), text.c_str());
    }

    // The guide's basic facts, chapter by chapter, each with the row that asks it: the table
    // "What the bank teaches" in docs/bank.md. Every listed row still carries its fact, in its
    // question or its answer, in English and in French: each key word or date of its line, in
    // any case. Whoever rewrites a row learns here which fact it was carrying.
    void everyGuideFactIsStillAsked()
    {
        QFile doc(QStringLiteral(BANK_DOC));
        QVERIFY2(doc.open(QIODevice::ReadOnly | QIODevice::Text), BANK_DOC);
        const QStringList lines = QString::fromUtf8(doc.readAll()).split(QLatin1Char('\n'));
        const qsizetype heading = lines.indexOf(QStringLiteral("## What the bank teaches"));
        QVERIFY2(heading >= 0, "no table of the guide's facts in docs/bank.md");
        QStringList lost;
        int facts = 0;
        for (qsizetype k = heading + 1; k < lines.size() && !lines[k].startsWith(QLatin1String("## ")); ++k) {
            const QStringList cells = lines[k].split(QLatin1Char('|'));
            bool isRow = false;
            const int row = cells.size() == 7 ? cells[3].trimmed().toInt(&isRow) : 0;
            if (!isRow)
                continue; // prose, the header or its rule
            ++facts;
            const QString fact = cells[1].trimmed() + QStringLiteral(": ") + cells[2].trimmed();
            QVERIFY2(row >= 1 && row <= kQuestions, qPrintable(fact));
            for (const Language language : {Language::English, Language::French}) {
                const QuestionBank &read = in(language);
                const QString asked = toQString(question(read, row)) + QLatin1Char(' ') + toQString(choice(read, row, 1));
                for (const QString &key : cells[language == Language::French ? 5 : 4].split(QLatin1Char(';'))) {
                    QVERIFY2(!key.trimmed().isEmpty(), qPrintable(fact));
                    if (!asked.contains(key.trimmed(), Qt::CaseInsensitive))
                        lost << QStringLiteral("row %1 no longer says \"%2\" in %3 (%4)").arg(row).arg(key.trimmed(), nameOf(language), fact);
                }
            }
        }
        qInfo("%d facts of the guide, each asked by its row in both languages", facts);
        QVERIFY2(facts >= 100, qPrintable(QStringLiteral("only %1 facts read from the table").arg(facts)));
        QVERIFY2(lost.isEmpty(), qPrintable(lost.join(QLatin1String("\n"))));
    }

    // Rows whose wording is fixed, and rows that took a new subject: each stands at its number,
    // because the stored history records results by question number. A row listed with its
    // answer only keeps that answer as choice 1; the others are listed with all four choices.
    void fixedRowsStandVerbatim_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("choices");
        QTest::newRow("ballot") << 1 << "What is a ballot?"
                                << QStringList{"A form for voting.", "A form that tells you when and where to vote.",
                                               "A dance.", "A form to count the number of votes."};
        QTest::newRow("bill") << 14 << "What do you call a law before it is passed?"
                              << QStringList{"A bill.", "A by-law.", "A motion.", "A new law."};
        QTest::newRow("capital of Canada") << 87 << "What is the capital of Canada?" << QStringList{"Ottawa."};
        QTest::newRow("responsibilities of citizens") << 97 << "Citizens of Canada have each of these responsibilities except for"
                                                      << QStringList{"Doing two years of military service."};
        QTest::newRow("War of 1812") << 136 << "What happened in the War of 1812?"
                                     << QStringList{"The Americans invaded Canada and failed to conquer it."};
        QTest::newRow("Nova Scotia, 1848") << 150
                                           << "In 1848, which colony was the first in British North America to gain responsible government?"
                                           << QStringList{"Nova Scotia."};
    }
    void fixedRowsStandVerbatim()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QStringList, choices);
        QCOMPARE(toQString(question(bank, row)), text);
        for (int c = 1; c <= static_cast<int>(choices.size()); ++c)
            QCOMPARE(toQString(choice(bank, row, c)), choices.at(c - 1));
        int found = 0;
        for (int q = 1; q <= kQuestions; ++q)
            found += question(bank, q) == text.toStdString() ? 1 : 0;
        QCOMPARE(found, 1);
    }
};

QTEST_APPLESS_MAIN(BankDataTest)
#include "bank_data_test.moc"
