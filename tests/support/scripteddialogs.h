#pragma once

#include "widgets/dialogs.h"

#include <QList>

#include <optional>

// Dialogs with scripted answers for tests. Installed while it lives; every
// box shown is recorded, and the answers are taken in order (a dialog with
// no answer queued is cancelled).
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    std::optional<QColor> color(QWidget *parent, const QColor &initial) override;
    std::optional<FontChoice> font(QWidget *parent, const FontChoice &initial) override;
    QStringList openPictures(QWidget *parent, const QString &filterCaption) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &proposedName,
                         const QString &filter) override;

    QStringList messages;       // texts of message boxes, in order
    QStringList errors;         // texts of error boxes, in order
    QList<QColor> colorOffers;  // the colour each colour dialog opened with
    QList<FontChoice> fontOffers; // what each font dialog opened with
    QStringList openCaptions;   // filter captions of the open dialogs
    QStringList saveTitles;     // titles of the save dialogs
    QStringList proposedNames;  // names the save dialogs proposed
    QStringList saveFilters;    // filters of the save dialogs

    QList<std::optional<QColor>> colorAnswers;
    QList<std::optional<FontChoice>> fontAnswers;
    QList<QStringList> openAnswers;
    QStringList saveAnswers;
};
