#pragma once
// A dialog seam for tests: answers come from queues, messages are recorded.
#include <QStringList>
#include <deque>

#include "DialogSeam.h"

namespace toolkit {

class DialogDouble : public DialogSeam {
public:
    DialogDouble() { Install(this); }
    ~DialogDouble() override { Install(nullptr); }

    std::deque<std::optional<QString>> openAnswers;  // nullopt = Cancel
    std::deque<std::optional<QString>> inputAnswers; // nullopt = Cancel; none left = OK with the default
    QStringList messages;
    QStringList informations;                         // texts of information boxes
    QStringList prompts;                              // "caption|prompt|default" of each input box
    QStringList openStartFolders;
    std::deque<std::optional<QString>> saveAnswers;  // nullopt = Cancel
    QStringList saveStartFolders;
    std::deque<bool> confirmAnswers;                  // none left = No
    QStringList confirmations;                        // texts of the questions asked

    std::optional<QString> OpenFile(QWidget*, const QString& startFolder) override
    {
        openStartFolders << startFolder;
        return Next(openAnswers);
    }
    std::optional<QString> SaveFile(QWidget*, const QString& startFolder) override
    {
        saveStartFolders << startFolder;
        return Next(saveAnswers);
    }
    bool Confirm(QWidget*, const QString& text) override
    {
        confirmations << text;
        if (confirmAnswers.empty())
            return false;
        const bool a = confirmAnswers.front();
        confirmAnswers.pop_front();
        return a;
    }
    std::optional<QString> InputBox(QWidget*, const QString& caption, const QString& prompt,
                                    const QString& defaultText) override
    {
        prompts << caption + "|" + prompt + "|" + defaultText;
        if (inputAnswers.empty())
            return defaultText;
        auto a = inputAnswers.front();
        inputAnswers.pop_front();
        return a;
    }
    void MessageBox(QWidget*, const QString& text) override { messages << text; }
    void InformationBox(QWidget*, const QString& text) override { informations << text; }

private:
    // The next queued answer; Cancel when none is left.
    static std::optional<QString> Next(std::deque<std::optional<QString>>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace toolkit
