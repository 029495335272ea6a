#include "bank/question_bank.h"

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


// A lower-case word without its plural ending: "peoples" counts as "people", "territories"
// as "territory"; "class" and "Indigenous" keep their s.
QString withoutPlural(QString word)
{
    if (word.size() > 4 && word.endsWith("ies"))
        return word.chopped(3) + "y";
    if (word.size() > 3 && word.endsWith('s') && !word.endsWith("ss") && !word.endsWith("us"))
        word.chop(1);
    return word;
}

// The distinctive words of a text: words of four letters or more that are not common
// function words, lower-cased, with a plural ending dropped ("peoples" counts as "people").
std::set<QString> distinctiveWords(const std::string &text)
{
    static const std::set<QString> common{
        "what", "which", "that", "this", "these", "those", "with", "from", "have", "does", "were", "when",
        "where", "whom", "whose", "into", "their", "there", "they", "them", "then", "than", "been", "being",
        "only", "your", "about", "after", "before", "under", "over", "also", "most", "more", "many", "much",
        "some", "such", "each", "every", "other", "another", "could", "would", "should", "shall", "must",
        "will", "upon", "same", "very", "just", "like"};
    std::set<QString> words;
    QString word;
    const QString shown = toQString(text) + QChar(' ');
    for (const QChar ch : shown) {
        if (ch.isLetter()) {
            word += ch.toLower();
            continue;
        }
        if (word.size() >= 4 && !common.count(word))
            words.insert(withoutPlural(word));
        word.clear();
    }
    return words;
}

// An answer as another row would name it: without its closing period or a leading article.
QString answerTerm(const std::string &text)
{
    QString term = toQString(text);
    if (term.endsWith('.'))
        term.chop(1);
    static const QRegularExpression article("^(In|The|A|An) ");
    return term.remove(article);
}

// Names that the whole bank shares: the provinces and territories and the institutions
// every chapter speaks of. Seeing one of them elsewhere gives no answer away.
bool sharedVocabulary(const QString &term)
{
    static const QStringList names{
        "Newfoundland and Labrador", "Prince Edward Island", "Nova Scotia", "New Brunswick", "Quebec City",
        "British Columbia", "Northwest Territories", "provinces and territories", "Governor General",
        "House of Commons", "Member of Parliament", "Prime Minister", "Supreme Court of Canada",
        "federal government", "municipal governments", "United States", "Indigenous peoples"};
    return names.contains(term, Qt::CaseInsensitive);
}

// Every word of a text but the function words, lower-cased and without a plural ending.
// "No", "Yes" and "Only" count: a lone "No" against three "Yes" is a form a learner reads.
std::set<QString> contentWords(const std::string &text)
{
    static const std::set<QString> function{
        "a", "an", "the", "of", "and", "or", "in", "on", "at", "to", "for", "by", "from", "with", "as", "is", "are",
        "was", "were", "be", "been", "it", "its", "he", "she", "his", "her", "him", "they", "their", "them", "this",
        "that", "these", "those", "which", "what", "who", "whom", "whose", "when", "where", "why", "how", "do",
        "does", "did", "can", "may", "must", "will", "would", "should", "there", "than", "then", "into", "onto",
        "over", "under", "about", "after", "before", "each", "every", "some", "any", "all", "most", "more", "many",
        "much", "also", "very", "just", "like", "same", "other", "another", "such", "has", "have", "had", "own",
        "your", "you", "our", "we", "between", "so", "if", "but", "because"};
    std::set<QString> words;
    QString word;
    for (const QChar ch : toQString(text) + QChar(' ')) {
        if (ch.isLetter()) {
            word += ch.toLower();
            continue;
        }
        if (!word.isEmpty() && !function.count(word))
            words.insert(withoutPlural(word));
        word.clear();
    }
    return words;
}

// Two words share a root when they begin alike for four letters or more and for at least
// four fifths of the shorter one: "Canada" and "Canadian", "West" and "western".
bool shareRoot(const QString &a, const QString &b)
{
    qsizetype same = 0;
    while (same < a.size() && same < b.size() && a[same] == b[same])
        ++same;
    return a == b || (same >= 4 && 5 * same >= 4 * std::min(a.size(), b.size()));
}

bool hasRootOf(const std::set<QString> &words, const QString &word)
{
    return std::any_of(words.begin(), words.end(), [&](const QString &w) { return shareRoot(w, word); });
}

// How qualified a choice reads: its commas and its "and"s.
int qualifiers(const std::string &text)
{
    static const QRegularExpression conjunction("\\band\\b");
    const QString shown = toQString(text);
    return static_cast<int>(shown.count(',') + shown.count(conjunction));
}

// The forms of a choice that a test-wise reader can see without knowing anything of Canada.
enum Form : size_t { StrictlyLongest, StrictlyShortest, MostQualified, EchoesTheQuestionAlone,
                     LacksAWordTheOthersShare, AloneSharesWithEveryOther, FormCount };

// forms[q][c][form]: choice c (0 for the answer) of question q shows the form.
using Forms = std::vector<std::array<std::array<bool, FormCount>, 4>>;

bool meet(const std::set<QString> &a, const std::set<QString> &b)
{
    return std::any_of(a.begin(), a.end(), [&](const QString &word) { return b.count(word) > 0; });
}

Forms readForms(const QuestionBank &bank)
{
    Forms forms(kQuestions + 1);
    for (size_t q = 1; q <= kQuestions; ++q) {
        std::array<qsizetype, 4> length{};
        std::array<int, 4> qualified{};
        std::array<std::set<QString>, 4> words, distinctive;
        for (size_t c = 0; c < 4; ++c) {
            const std::string &text = bank.choiceText[q][c + 1];
            length[c] = codePoints(text);
            qualified[c] = qualifiers(text);
            words[c] = contentWords(text);
            distinctive[c] = distinctiveWords(text);
        }
        const std::set<QString> asked = distinctiveWords(bank.questionText[q]);
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
                    elsewhere = elsewhere || (o != c && hasRootOf(distinctive[o], word));
                echoes = echoes || (hasRootOf(distinctive[c], word) && !elsewhere);
            }
            forms[q][c] = {longest, shortest, mostQualified, echoes, lacks, onlyHub};
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
Q_DECLARE_METATYPE(std::function<QStringList(const QuestionBank &)>)

class BankDataTest : public QObject {
    Q_OBJECT

    QuestionBank bank;

private slots:
    void initTestCase()
    {
        bank.inlineread();
    }

    void fillsQuestionsOneTo165WithKeyOne()
    {
        QCOMPARE(bank.questionCount, int16_t(kQuestions));
        QCOMPARE(static_cast<int>(kBankRows.size()), kQuestions);
        for (int q = 1; q <= kQuestions; ++q) {
            const BankRow &row = kBankRows[static_cast<size_t>(q - 1)];
            QCOMPARE(question(bank, q), std::string(row.question));
            QCOMPARE(bank.answerKey[static_cast<size_t>(q)], int16_t(1));
            QVERIFY2(choice(bank, q, 0).empty(), qPrintable(QString("choice 0 of question %1").arg(q)));
            for (int c = 1; c <= 4; ++c)
                QCOMPARE(choice(bank, q, c), std::string(row.choices[static_cast<size_t>(c - 1)]));
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

    void secondReadChangesNothing()
    {
        QuestionBank again = bank;
        again.inlineread();
        QCOMPARE(again.questionCount, bank.questionCount);
        QVERIFY(again.questionText == bank.questionText);
        QVERIFY(again.choiceText == bank.choiceText);
        QVERIFY(again.answerKey == bank.answerKey);
    }

    void everyTextIsOneCleanLine()
    {
        for (const std::string &text : allTexts(bank)) {
            const QString shown = toQString(text);
            QVERIFY2(!text.empty(), "empty text");
            QVERIFY2(shown.toUtf8().toStdString() == text, qPrintable("not valid UTF-8: " + shown));
            QVERIFY2(shown.trimmed() == shown, qPrintable("leading or trailing blank: " + shown));
            QVERIFY2(!shown.contains("  "), qPrintable("double blank: " + shown));
            for (const char32_t ch : shown.toUcs4())
                QVERIFY2(ch >= 0x20 && ch != 0x7f, qPrintable("control character in: " + shown));
        }
    }

    void onlyAsciiAndEAcute()
    {
        for (const std::string &text : allTexts(bank)) {
            for (const char32_t ch : toQString(text).toUcs4())
                QVERIFY2(ch < 0x80 || ch == 0xe9, qPrintable(QString("U+%1 in: %2").arg(uint(ch), 4, 16, QChar('0')).arg(toQString(text))));
        }
    }

    void lengths_data()
    {
        QTest::addColumn<bool>("questions");
        QTest::addColumn<int>("shortest");
        QTest::addColumn<int>("longest");
        QTest::addColumn<double>("meanLow");
        QTest::addColumn<double>("meanHigh");
        QTest::newRow("questions") << true << 17 << 93 << 48.0 << 58.0;
        QTest::newRow("choices") << false << 3 << 93 << 25.0 << 35.0;
    }
    void lengths()
    {
        QFETCH(bool, questions);
        QFETCH(int, shortest);
        QFETCH(int, longest);
        QFETCH(double, meanLow);
        QFETCH(double, meanHigh);
        const std::vector<std::string> texts = questions ? questionTexts(bank) : choiceTexts(bank);
        std::vector<qsizetype> lengths;
        for (const std::string &text : texts)
            lengths.push_back(codePoints(text));
        QCOMPARE(*std::min_element(lengths.begin(), lengths.end()), qsizetype(shortest));
        QCOMPARE(*std::max_element(lengths.begin(), lengths.end()), qsizetype(longest));
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
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("count");
        QTest::newRow("question mark") << "?" << 163;
        QTest::newRow("instruction") << "." << 1;
        QTest::newRow("unfinished sentence") << "except for" << 1;
    }
    void questionEndings()
    {
        QFETCH(QString, suffix);
        QFETCH(int, count);
        QCOMPARE(countEndingWith(questionTexts(bank), suffix.toStdString()), count);
    }

    void everyQuestionEndsInOneOfTheThreeWays()
    {
        for (const std::string &text : questionTexts(bank))
            QVERIFY2(endsWith(text, "?") || endsWith(text, ".") || endsWith(text, "except for"), text.c_str());
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

    void quotationMarksOnlyAroundTermsInNineQuestions()
    {
        int quoted = 0;
        static const QRegularExpression term("^[^\"]*\"[^\" ][^\"]*[^\" ]\"[^\"]*$");
        for (const std::string &text : questionTexts(bank)) {
            if (text.find('"') == std::string::npos)
                continue;
            ++quoted;
            QVERIFY2(term.match(toQString(text)).hasMatch(), text.c_str());
        }
        QCOMPARE(quoted, 9);
        QCOMPARE(countContaining(choiceTexts(bank), "\""), 0);
    }

    void choicesEndWithPeriodExceptSixNameAndDateQuestions()
    {
        const std::vector<std::string> choices = choiceTexts(bank);
        QCOMPARE(countEndingWith(choices, "."), 636);
        int withoutPeriod = 0;
        for (int q = 1; q <= kQuestions; ++q) {
            int ending = 0;
            for (int c = 1; c <= 4; ++c)
                ending += endsWith(choice(bank, q, c), ".") ? 1 : 0;
            QVERIFY2(ending == 0 || ending == 4, question(bank, q).c_str());
            withoutPeriod += ending == 0 ? 1 : 0;
        }
        QCOMPARE(withoutPeriod, 6);
    }

    void questionsAndChoicesAreDistinct()
    {
        const std::vector<std::string> questions = questionTexts(bank);
        QCOMPARE(std::set<std::string>(questions.begin(), questions.end()).size(), questions.size());
        for (int q = 1; q <= kQuestions; ++q) {
            std::set<std::string> choices;
            for (int c = 1; c <= 4; ++c)
                choices.insert(choice(bank, q, c));
            QVERIFY2(choices.size() == 4, question(bank, q).c_str());
        }
    }

    void noChoiceNamesAnotherOrAPosition_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("above") << "\\babove\\b";
        QTest::newRow("below") << "\\bbelow\\b";
        QTest::newRow("all of") << "\\ball of\\b";
        QTest::newRow("none of") << "\\bnone of\\b";
        QTest::newRow("both of") << "\\bboth of\\b";
        QTest::newRow("either or neither of") << "\\b(either|neither) of\\b";
        QTest::newRow("lettered choices") << "\\b[a-d] (and|or|&) [a-d]\\b";
        QTest::newRow("numbered choices") << "\\b[1-4] (and|or|&) [1-4]\\b";
        QTest::newRow("choice by position") << "\\b(first|second|third|fourth|last|other) (choice|answer|option)s?\\b";
    }
    void noChoiceNamesAnotherOrAPosition()
    {
        QFETCH(QString, pattern);
        const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption);
        QVERIFY(re.isValid());
        for (const std::string &text : choiceTexts(bank))
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
        QTest::addColumn<Measure>("measure");
        QTest::addColumn<int>("allowed");
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
        QTest::newRow("answer strictly longest") << rowsWhere([](const QuestionBank &, int, qsizetype answer, const std::vector<qsizetype> &others) {
            return answer > *std::max_element(others.begin(), others.end());
        }) << kQuestions * 30 / 100;
        QTest::newRow("answer not strictly shortest") << rowsWhere([](const QuestionBank &, int, qsizetype answer, const std::vector<qsizetype> &others) {
            return answer >= *std::min_element(others.begin(), others.end());
        }) << kQuestions - kQuestions / 5;
        // A long name may force a long answer now and then, never often.
        QTest::newRow("answer over 1.5 times its distractors") << rowsWhere([](const QuestionBank &, int, qsizetype answer, const std::vector<qsizetype> &others) {
            const double mean = static_cast<double>(others[0] + others[1] + others[2]) / 3.0;
            return static_cast<double>(answer) > 1.5 * mean;
        }) << 12;
        QTest::newRow("question word echoed only in the answer") << rowsWhere([](const QuestionBank &qb, int q, qsizetype, const std::vector<qsizetype> &) {
            std::set<QString> echoed;
            const std::set<QString> asked = distinctiveWords(question(qb, q));
            const std::set<QString> answer = distinctiveWords(choice(qb, q, 1));
            std::set_intersection(asked.begin(), asked.end(), answer.begin(), answer.end(),
                                  std::inserter(echoed, echoed.end()));
            for (int c = 2; c <= 4; ++c)
                for (const QString &word : distinctiveWords(choice(qb, q, c)))
                    echoed.erase(word);
            return !echoed.empty();
        }) << 0;
        // A name, a date or a phrase that answers one row appears in no other question or
        // answer, and in another row's distractor only as that whole choice.
        QTest::newRow("answer named by another row") << Measure([](const QuestionBank &qb) {
            QStringList leaks;
            for (int q = 1; q <= kQuestions; ++q) {
                const QString term = answerTerm(choice(qb, q, 1));
                if (sharedVocabulary(term) || (!term.contains(' ') && !term.contains(QRegularExpression("\\d"))))
                    continue;
                const QRegularExpression named("(?<![\\w])" + QRegularExpression::escape(term) + "(?![\\w])",
                                               QRegularExpression::CaseInsensitiveOption);
                for (int other = 1; other <= kQuestions; ++other) {
                    if (other == q)
                        continue;
                    if (named.match(toQString(question(qb, other))).hasMatch())
                        leaks << QString("%1 in question %2").arg(term).arg(other);
                    for (int c = 1; c <= 4; ++c) {
                        const std::string &text = choice(qb, other, c);
                        const bool wholeChoice = c > 1 && answerTerm(text).compare(term, Qt::CaseInsensitive) == 0;
                        if (!wholeChoice && named.match(toQString(text)).hasMatch())
                            leaks << QString("%1 in question %2").arg(term).arg(other);
                    }
                }
            }
            return leaks;
        }) << 0;
    }
    void answerIsNotGivenAway()
    {
        using Measure = std::function<QStringList(const QuestionBank &)>;
        QFETCH(Measure, measure);
        QFETCH(int, allowed);
        const QStringList found = measure(bank);
        QVERIFY2(found.size() <= allowed, qPrintable(QString("%1 found, at most %2 allowed: %3")
                                                         .arg(found.size()).arg(allowed).arg(found.join(", "))));
    }

    // No form of a choice tells the answer. Each form is shown by the answer about as often as
    // by one distractor: within two standard deviations of a quarter of the choices that show
    // it, as if the answer were one of the four at random. The table goes to the test log.
    void formsTellNoAnswer_data()
    {
        QTest::addColumn<int>("form");
        QTest::newRow("strictly longest") << int(StrictlyLongest);
        QTest::newRow("strictly shortest") << int(StrictlyShortest);
        QTest::newRow("most commas and ands") << int(MostQualified);
        QTest::newRow("echoes a question word alone, by root") << int(EchoesTheQuestionAlone);
        QTest::newRow("lacks a word the other three share") << int(LacksAWordTheOthersShare);
        QTest::newRow("alone shares a word with each other choice") << int(AloneSharesWithEveryOther);
    }
    void formsTellNoAnswer()
    {
        QFETCH(int, form);
        const auto shows = static_cast<size_t>(form);
        const Forms forms = readForms(bank);
        QStringList rows;
        int distractors = 0;
        for (size_t q = 1; q <= kQuestions; ++q) {
            if (forms[q][0][shows])
                rows << QString::number(q);
            for (size_t c = 1; c < 4; ++c)
                distractors += forms[q][c][shows] ? 1 : 0;
        }
        const auto answers = static_cast<int>(rows.size());
        const double shown = answers + distractors;
        const double spread = 2 * std::sqrt(shown * 3 / 16);
        const int fewest = static_cast<int>(std::ceil(shown / 4 - spread));
        const int most = static_cast<int>(std::floor(shown / 4 + spread));
        qInfo("%-44s answer %3d (%4.1f%% of rows), one distractor %5.1f (%4.1f%%), allowed %d to %d",
              QTest::currentDataTag(), answers, 100.0 * answers / kQuestions, distractors / 3.0,
              100.0 * distractors / 3 / kQuestions, fewest, most);
        QVERIFY2(answers >= fewest && answers <= most,
                 qPrintable(QString("the answer shows it in %1 rows, against %2 distractors: %3")
                                .arg(answers).arg(distractors).arg(rows.join(", "))));
    }

    // Chance is a quarter. A learner who reads the forms above must not do much better.
    void testWiseLearnerStaysNearChance()
    {
        const double score = testWiseScore(readForms(bank));
        qInfo("%-44s %4.1f%% (chance 25%%, at most 30%%)", "test-wise learner, leave one out", 100 * score);
        QVERIFY2(score <= 0.30, qPrintable(QString("the learner scores %1%").arg(100 * score, 0, 'f', 1)));
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
