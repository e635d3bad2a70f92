#include "scripteddialogs.h"

#include <QApplication>
#include <QWidget>

#include <stdexcept>

namespace varnok {

namespace {

bool MainWindowOnScreen()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("Form1") && widget->isVisible())
            return true;
    }
    return false;
}

template <typename Answer>
std::optional<Answer> NextAnswer(std::deque<std::optional<Answer>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    std::optional<Answer> answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

void ScriptedDialogs::Record(Kind kind, const std::string& caption, const std::string& text,
                             const std::string& value)
{
    Calls.push_back({kind, caption, text, value, MainWindowOnScreen()});
}

void ScriptedDialogs::ShowError(const std::string& text)
{
    Record(Kind::Error, "ERROR", text);
}

void ScriptedDialogs::ShowInformation(const std::string& text)
{
    Record(Kind::Information, "Information", text);
}

void ScriptedDialogs::ShowFileError(const std::string& text, const std::string& caption)
{
    Record(Kind::FileError, caption, text);
}

void ScriptedDialogs::ShowApplicationError(const std::string& text)
{
    Record(Kind::ApplicationError, "Varnok 5", text);
    if (ThrowingApplicationErrors > 0) {
        --ThrowingApplicationErrors;
        throw std::runtime_error("the error box could not be shown");
    }
}

void ScriptedDialogs::ShowAbout(const std::string& text)
{
    Record(Kind::About, "About", text);
}

void ScriptedDialogs::ShowMessage(const std::string& text)
{
    Messages.push_back(text);
}

std::optional<std::string> ScriptedDialogs::InputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& text)
{
    Record(Kind::InputBox, caption, prompt, text);
    return NextAnswer(InputAnswers);
}

std::optional<std::string> ScriptedDialogs::OpenIndexFile(const std::string& initialFolder,
                                                          const std::string& fileName)
{
    Record(Kind::OpenFile, "Open", fileName, initialFolder);
    if (WhileOpenDialogUp)
        WhileOpenDialogUp(initialFolder);
    return NextAnswer(OpenAnswers);
}

bool ScriptedDialogs::ConfirmReplace(const std::string& question)
{
    Record(Kind::ConfirmReplace, "Confirm Save As", question);
    if (ReplaceAnswers.empty())
        return false;
    const bool answer = ReplaceAnswers.front();
    ReplaceAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::SaveFile(const SaveFileRequest& request)
{
    SaveRequests.push_back(request);
    return NextAnswer(SaveAnswers);
}

std::optional<FontChoice> ScriptedDialogs::SelectFont(const FontChoice& initial)
{
    FontRequests.push_back(initial);
    return NextAnswer(FontAnswers);
}

std::optional<FindRequest> ScriptedDialogs::AskFindRequest()
{
    return NextAnswer(FindAnswers);
}

std::vector<ScriptedDialogs::Call> ScriptedDialogs::CallsOf(Kind kind) const
{
    std::vector<Call> result;
    for (const Call& call : Calls) {
        if (call.What == kind)
            result.push_back(call);
    }
    return result;
}

int ScriptedDialogs::CountOf(Kind kind) const
{
    return static_cast<int>(CallsOf(kind).size());
}

} // namespace varnok
