#include "support/scripteddialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    Dialogs::setInstance(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::setInstance(nullptr);
}

void ScriptedDialogs::message(QWidget *, const QString &text)
{
    messages.append(text);
}

void ScriptedDialogs::error(QWidget *, const QString &text)
{
    errors.append(text);
}

std::optional<QColor> ScriptedDialogs::color(QWidget *, const QColor &initial)
{
    colorOffers.append(initial);
    return colorAnswers.isEmpty() ? std::nullopt : colorAnswers.takeFirst();
}

std::optional<FontChoice> ScriptedDialogs::font(QWidget *, const FontChoice &initial)
{
    fontOffers.append(initial);
    return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.takeFirst();
}

QStringList ScriptedDialogs::openPictures(QWidget *, const QString &filterCaption)
{
    openCaptions.append(filterCaption);
    return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &title, const QString &proposedName,
                                      const QString &filter)
{
    saveTitles.append(title);
    proposedNames.append(proposedName);
    saveFilters.append(filter);
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}
