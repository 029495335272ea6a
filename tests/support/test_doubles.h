#pragma once

#include "app/dialogs.h"
#include "engine/random_source.h"
#include "history/settings_store.h"

#include <QDialog>
#include <QLabel>
#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bw::test {

// A random source that plays back a script of draws, then keeps drawing 0.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::vector<float> script) : script_(script.begin(), script.end()) {}
    void push(float value) { script_.push_back(value); }
    void reseed() override { ++reseeds; }
    float draw() override
    {
        ++draws;
        if (script_.empty())
            return 0.0f;
        const float value = script_.front();
        script_.pop_front();
        return value;
    }
    size_t remaining() const { return script_.size(); }
    int reseeds = 0;
    int draws = 0;

private:
    std::deque<float> script_;
};

// A settings store in memory that can be told to refuse writes.
class MemoryStore : public SettingsStore {
public:
    std::string read(const std::string &application, const std::string &section, const std::string &key,
                     const std::string &fallback) override
    {
        ++reads;
        const auto found = values.find(application + '/' + section + '/' + key);
        return found == values.end() ? fallback : found->second;
    }
    bool write(const std::string &application, const std::string &section, const std::string &key,
               const std::string &value) override
    {
        ++writes;
        if (failWrites)
            return false;
        values[application + '/' + section + '/' + key] = value;
        return true;
    }
    std::string redo() const
    {
        const auto found = values.find("Lumbra/aaa/redo");
        return found == values.end() ? std::string() : found->second;
    }
    std::map<std::string, std::string> values;
    bool failWrites = false;
    int reads = 0;
    int writes = 0;
};

// Answers message boxes from a script and records every question and modal window.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString objectName;
        QString title;
        QMap<QString, QString> labels; // label objectName -> text
    };

    bool askYesNo(QWidget *, const QString &text) override { return answer(QStringLiteral("YesNo"), text); }
    bool askOkCancel(QWidget *, const QString &text) override { return answer(QStringLiteral("OkCancel"), text); }
    void tell(QWidget *, const QString &text) override { told << text; }
    void runModal(QDialog &dialog) override
    {
        Shown shown{dialog.objectName(), dialog.windowTitle(), {}};
        const auto labels = dialog.findChildren<QLabel *>();
        for (const QLabel *label : labels)
            shown.labels.insert(label->objectName(), label->text());
        modals.push_back(shown);
        if (onModal)
            onModal(dialog);
    }

    // Queue the next answers: true for Yes/OK, false for No/Cancel.
    void willAnswer(bool value) { answers.push_back(value); }

    std::deque<bool> answers;
    QStringList asked;     // texts of the questions, in order
    QStringList askedKind; // "YesNo" or "OkCancel"
    QStringList told;
    std::vector<Shown> modals;
    std::function<void(QDialog &)> onModal;
    int unexpected = 0; // questions asked with no answer queued (answered No/Cancel)

private:
    bool answer(const QString &kind, const QString &text)
    {
        asked << text;
        askedKind << kind;
        if (answers.empty()) {
            ++unexpected;
            return false;
        }
        const bool value = answers.front();
        answers.pop_front();
        return value;
    }
};

} // namespace bw::test
